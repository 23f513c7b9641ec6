// Plays the web build in the system's headless Chromium and holds it against
// the desktop build: golden replays match in the page, a game played in the
// page replays natively, and the canvas shows the hero and the HUD in the
// cells where the desktop's text grid has them.
// Usage: node browser_test.mjs SITE_DIR QUORVEL LAST_SCREEN SOURCE_DIR
// (SITE_DIR as scripts/web.sh makes it, with the tutorial's page in dodge/)
import {spawnSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {check, launchChromium, runChecks, serveFiles} from './chromium.mjs';

const [site, quorvel, lastScreen, source] = process.argv.slice(2).map((p) => path.resolve(p));
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'qv-web-'));

// The native game runs where it finds its sprites and sounds.
for (const entry of ['Sprites', 'Audio', 'qv-font.ttf']) {
    fs.symlinkSync(path.join(source, entry), path.join(work, entry));
}
function native(program, args) {
    return spawnSync(program, args, {cwd: work, encoding: 'utf8', timeout: 60000});
}

// The site, the golden replays under /replays/ (gemhunt's under /examples/)
// and one refused replay.
fs.writeFileSync(path.join(work, 'bad.replay'), 'quorvel-replay 3\n');
const server = await serveFiles((pathname) => pathname === '/bad.replay'
    ? path.join(work, 'bad.replay')
    : path.join(/^\/(replays|examples)\//.test(pathname) ? path.join(source, 'tests') : site, pathname));
const origin = server.origin;
const browser = await launchChromium(`${work}/chromium`);

async function open(url) {
    const page = await browser.newPage();
    page.console = [];
    page.on('console', (message) => page.console.push(message.text()));
    page.on('pageerror', (error) => page.console.push(`pageerror: ${error.message}`));
    await page.goto(url);
    return page;
}

async function waitFrames(page, count) {
    const target = await page.evaluate(() => qvPage.frames) + count;
    await page.waitForFunction((n) => qvPage.frames >= n, {timeout: 20000}, target);
}

// Whether the page says the game ended within the time.
async function ended(page, seconds = 20) {
    return page.waitForFunction(() => !document.getElementById('ended').hidden,
                                {timeout: seconds * 1000}).then(() => true, () => false);
}

const headlessLine = /^frames=(\d+) checks=(\d+) mismatches=(\d+) seconds=\d+\.\d{3}$/;

await runChecks(async () => {
    // Golden replays: the same frames and checks as natively, no mismatch.
    for (const name of fs.readdirSync(path.join(source, 'tests/replays'))) {
        if (!name.endsWith('.replay')) {
            continue;
        }
        const file = path.join(source, 'tests/replays', name);
        const want = native(quorvel, ['--replay', file, '--headless']).stdout.trim();
        const page = await open(`${origin}/?replay=replays/${name}`);
        await page.waitForFunction(() => document.title.startsWith('frames='), {timeout: 60000});
        const title = await page.title();
        const got = headlessLine.exec(title);
        check(got !== null && got[3] === '0' && title.replace(/seconds=.*/, '') ===
              want.replace(/seconds=.*/, ''), `${name} in the page: "${title}", natively "${want}"`);
        await page.close();
    }

    // gemhunt's recorded game, made by a native build, matches in its page too.
    const gemhunt = await open(`${origin}/gemhunt/?replay=/examples/gemhunt.replay`);
    await gemhunt.waitForFunction(() => document.title.startsWith('frames='), {timeout: 60000});
    const gemhuntLine = headlessLine.exec(await gemhunt.title());
    check(gemhuntLine !== null && gemhuntLine[3] === '0' && gemhuntLine[1] !== '0',
          `gemhunt.replay in its page: "${await gemhunt.title()}"`);
    await gemhunt.close();

    // So does the tutorial's, in the page its qv-web-build made (tests/examples/tutorial.sh).
    const dodge = await open(`${origin}/dodge/?replay=/examples/dodge.replay`);
    await dodge.waitForFunction(() => document.title.startsWith('frames='), {timeout: 60000});
    const dodgeLine = headlessLine.exec(await dodge.title());
    check(dodgeLine !== null && dodgeLine[3] === '0' && dodgeLine[1] !== '0',
          `dodge.replay in the tutorial's page: "${await dodge.title()}"`);
    await dodge.close();

    // Bad replays: the reader's reason on the page and in the console.
    for (const [url, reason] of [['replays/none.replay', 'cannot open'],
                                 ['bad.replay', 'line 1: replay version 3 is not supported']]) {
        const page = await open(`${origin}/?replay=${url}`);
        const over = await ended(page);
        const shown = await page.$eval('#messages', (element) => element.textContent);
        check(over && shown.includes(reason) && page.console.some((line) => line.includes(reason)) &&
              !page.console.some((line) => line.startsWith('pageerror')),
              `${url}: "${reason}" on the page (${JSON.stringify(shown)})`);
        await page.close();
    }

    const fromFile = await open(`file://${site}/index.html`);
    const notice = await fromFile.$eval('#notice', (element) => element.textContent);
    check(notice.includes('must be served'), `opened as a file: "${notice}"`);
    await fromFile.close();

    // A game: P, hold D, click, E; the canvas is read while D is still down.
    const page = await open(`${origin}/`);
    await waitFrames(page, 3);
    const box = await (await page.$('#screen')).boundingBox();
    await page.focus('#screen');
    const scrolled = await page.evaluate(() => window.scrollY);
    await page.keyboard.press('BracketLeft');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Space');
    await page.keyboard.press('Tab');
    const kept = await page.evaluate(
        (before) => window.scrollY === before && document.activeElement === qvPage.canvas, scrolled);
    check(kept, 'arrows, space and Tab stay with the canvas');
    // The start screen's music waits for the first key, as browsers require.
    const music = await page.waitForFunction(() => qvPage.soundsPlaying() > 0, {timeout: 5000})
        .then(() => true, () => false);
    check(music, 'the music starts with the first key');
    // The sounds come as MP3s, of which exactly the WAV's sound plays.
    const wavSeconds = fs.readdirSync(path.join(source, 'Audio')).filter((name) => name.endsWith('.wav'))
        .map((name) => {
            const wav = fs.readFileSync(path.join(source, 'Audio', name));
            // Mono 16-bit: the data chunk's bytes over twice the rate.
            return wav.readUInt32LE(wav.indexOf('data') + 4) / (2 * wav.readUInt32LE(24));
        }).sort((a, b) => a - b);
    await page.waitForFunction((n) => qvPage.soundParts().length >= n, {timeout: 5000}, wavSeconds.length)
        .catch(() => {});
    const parts = await page.evaluate(() => qvPage.soundParts());
    const partSeconds = parts.map((part) => part[1]).sort((a, b) => a - b);
    check(parts.length === wavSeconds.length && parts.every((part) => part[0] > 0.02 && part[0] < 0.03) &&
          partSeconds.every((seconds, i) => Math.abs(seconds - wavSeconds[i]) < 0.001),
          `the sounds play from their MP3s exactly the WAVs' ${wavSeconds.join(', ')} s ` +
          `(${JSON.stringify(parts)})`);
    await page.keyboard.press('KeyP');
    await waitFrames(page, 5);
    await page.keyboard.down('KeyD');
    await waitFrames(page, 8);
    await page.mouse.click(box.x + 300, box.y + 200);
    await waitFrames(page, 3);
    await page.keyboard.down('KeyE');
    await waitFrames(page, 3);
    await page.keyboard.up('KeyE');
    await waitFrames(page, 3);
    // Per cell: the colours drawn brightly from its corner to one cell
    // beyond (a sprite or view may sit between cells: the text grid has it in
    // the cell it starts in), and whether anything is drawn inside the cell.
    const shot = await page.evaluate(() => {
        const canvas = qvPage.canvas;
        const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        const cellWidth = canvas.width / 80;
        const cellHeight = canvas.height / 24;
        const colourAt = (x, y) => {
            const i = 4 * (y * canvas.width + x);
            const top = Math.max(pixels[i], pixels[i + 1], pixels[i + 2]);
            return top < 128 ? 0 : (pixels[i] * 2 >= top ? 1 : 0) |
                (pixels[i + 1] * 2 >= top ? 2 : 0) | (pixels[i + 2] * 2 >= top ? 4 : 0);
        };
        const near = [];
        const inside = [];
        for (let row = 0; row < 24; ++row) {
            for (let column = 0; column < 80; ++column) {
                let colours = 0;
                const right = Math.min(canvas.width, Math.floor((column + 2) * cellWidth));
                const bottom = Math.min(canvas.height, (row + 2) * cellHeight);
                for (let y = row * cellHeight; y < bottom; ++y) {
                    for (let x = Math.ceil(column * cellWidth); x < right; ++x) {
                        colours |= 1 << colourAt(x, y);
                    }
                }
                let drawn = false;
                for (let y = row * cellHeight + 4; y < row * cellHeight + 31; ++y) {
                    for (let x = Math.ceil(column * cellWidth) + 1;
                         x < Math.floor((column + 1) * cellWidth) - 1; ++x) {
                        drawn = drawn || colourAt(x, y) !== 0;
                    }
                }
                near.push(colours);
                inside.push(drawn);
            }
        }
        return {frame: qvPage.frames - 1, near: near, inside: inside};
    });
    fs.writeFileSync(path.join(work, 'canvas.json'), JSON.stringify(shot));
    await page.keyboard.up('KeyD');
    // The game reads held keys: Escape gives up only while it is down.
    await page.keyboard.down('Escape');
    await waitFrames(page, 3);
    await page.keyboard.up('Escape');
    // The game-over screen stays about five seconds, then Q on the start screen quits.
    await page.waitForFunction(() => qvPage.frames > 0, {timeout: 20000});
    await waitFrames(page, 200);
    await page.keyboard.press('KeyQ');
    check(await ended(page), 'Q on the start screen ends the game');
    const recording = await page.evaluate(
        () => fetch(document.getElementById('save').href).then((r) => r.text()));
    fs.writeFileSync(path.join(work, 'page.replay'), recording);
    check(/\nK \d+ 0 -1\n/.test(recording), 'a key the engine does not know is recorded as -1');
    const replayed = native(quorvel, ['--replay', 'page.replay', '--headless']);
    check(replayed.status === 0 && /mismatches=0 /.test(replayed.stdout),
          `the page's recording replays natively: ${replayed.stdout.trim()} ${replayed.stderr.trim()}`);

    // The desktop's text grid of the frame the canvas showed.
    const cut = recording.split('\n').filter(
        (line, i) => i === 0 || (line !== '' && Number(line.split(' ')[1]) <= shot.frame));
    fs.writeFileSync(path.join(work, 'cut.replay'), cut.join('\n') + '\n');
    const printed = native(lastScreen, ['cut.replay']).stdout;
    const grid = printed.slice(printed.indexOf('\n') + 1).split('\n');
    const wrong = [];
    const blank = (column, row) => column < 0 || row < 0 || grid[row][column] === ' ' ||
        grid[24 + row][column] === '0';
    for (let row = 0; row < 24; ++row) {
        for (let column = 0; column < 80; ++column) {
            const i = row * 80 + column;
            const colour = Number(grid[24 + row][column]);
            if (!blank(column, row) && (shot.near[i] & (1 << colour)) === 0) {
                wrong.push(`(${column},${row}) '${grid[row][column]}' not drawn in colour ${colour}`);
            } else if (blank(column, row) && blank(column - 1, row) && blank(column, row - 1) &&
                       blank(column - 1, row - 1) && shot.inside[i]) {
                wrong.push(`(${column},${row}) drawn, the desktop has it blank`);
            }
        }
    }
    const drawn = grid.slice(0, 24).join('\n');
    check(drawn.includes('Health') && wrong.length === 0,
          `frame ${shot.frame}: the canvas draws the desktop's cells` +
          (wrong.length ? `; ${wrong.length} differ: ${wrong.slice(0, 8).join('; ')}` : ''));

    // A hidden page runs no frames and plays nothing, and goes on from the
    // same frame when shown: the recording replays natively all the same.
    const hidden = await open(`${origin}/`);
    await waitFrames(hidden, 3);
    await hidden.focus('#screen');
    await hidden.keyboard.press('KeyP');
    await hidden.keyboard.down('KeyD');
    await waitFrames(hidden, 10);
    const front = await browser.newPage();
    await front.bringToFront();
    await hidden.waitForFunction(() => document.hidden, {timeout: 5000});
    const atHide = await hidden.evaluate(() => [qvPage.frames, qvPage.audioState()]);
    await new Promise((resolve) => setTimeout(resolve, 1500));
    const beforeShow = await hidden.evaluate(() => [qvPage.frames, qvPage.audioState()]);
    await hidden.bringToFront();
    await front.close();
    await hidden.waitForFunction(() => !document.hidden, {timeout: 5000});
    await waitFrames(hidden, 10);
    const shown = await hidden.evaluate(() => [qvPage.frames, qvPage.audioState()]);
    check(atHide[0] === beforeShow[0] && beforeShow[1] === 'suspended' && shown[0] > atHide[0] &&
          shown[1] === 'running',
          `hidden for 1.5 s: frames ${atHide[0]} then ${beforeShow[0]}, sound ${beforeShow[1]}; ` +
          `shown again: frame ${shown[0]}, sound ${shown[1]}`);
    await hidden.keyboard.up('KeyD');
    await hidden.keyboard.down('Escape');
    await waitFrames(hidden, 3);
    await hidden.keyboard.up('Escape');
    await waitFrames(hidden, 200);
    await hidden.keyboard.press('KeyQ');
    const hiddenOver = await ended(hidden);
    const hiddenRun = await hidden.evaluate(() => qvPage.frames);
    fs.writeFileSync(path.join(work, 'hidden.replay'), await hidden.evaluate(
        () => fetch(document.getElementById('save').href).then((r) => r.text())));
    const hiddenReplay = native(quorvel, ['--replay', 'hidden.replay', '--headless']);
    check(hiddenOver && hiddenReplay.status === 0 &&
          hiddenReplay.stdout.startsWith(`frames=${hiddenRun} `) &&
          /mismatches=0 /.test(hiddenReplay.stdout),
          `the hidden page's ${hiddenRun} frames replay natively: ${hiddenReplay.stdout.trim()}`);
    await hidden.close();

    // Frame statistics at the end of a ?stats run.
    const stats = await open(`${origin}/?stats`);
    await waitFrames(stats, 10);
    await stats.focus('#screen');
    await stats.keyboard.press('KeyQ');
    check(await ended(stats) && stats.console.some((line) => /^phase=period frames=\d+ mean_us=/.test(line)),
          '?stats prints the frame statistics');
    await stats.close();

    // The example game draws its walls, explorer and gems, and Q ends it.
    const gems = await open(`${origin}/gemhunt/`);
    await waitFrames(gems, 5);
    await gems.focus('#screen');
    await gems.keyboard.down('KeyD');
    await waitFrames(gems, 10);
    await gems.keyboard.up('KeyD');
    const colours = await gems.evaluate(() => {
        const canvas = qvPage.canvas;
        const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        const counts = {yellow: 0, cyan: 0, blue: 0};
        for (let i = 0; i < pixels.length; i += 4) {
            const key = `${pixels[i]},${pixels[i + 1]},${pixels[i + 2]}`;
            counts.yellow += key === '255,255,0';
            counts.cyan += key === '0,255,255';
            counts.blue += key === '0,0,255';
        }
        return counts;
    });
    check(Object.values(colours).every((n) => n > 20), `gemhunt draws ${JSON.stringify(colours)}`);
    await gems.keyboard.press('KeyQ');
    check(await ended(gems), 'gemhunt ends on Q');
}, {browser, server, work, keepOnFailure: true});
