// A replay watched in the page: ?replay=URL&frame=N opens it paused at frame
// N, real key presses on the canvas and the buttons under it seek, step and
// change the speed, the scrub bar seeks where it is clicked, and Tab takes
// over with a recording that replays natively with no mismatch. With a long
// replay given, prints how long seeks take in the page.
// Usage: node viewer_test.mjs SITE_DIR QUORVEL SOURCE_DIR [LONG_REPLAY]
import {spawnSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {launchChromium, serveFiles} from './chromium.mjs';

const [site, quorvel, source, long] = process.argv.slice(2).map((p) => path.resolve(p));
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'qv-viewer-'));
let failures = 0;

function check(ok, what) {
    console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
    ok || ++failures;
}

const server = await serveFiles((pathname) => pathname === '/long.replay' ? long
    : pathname.startsWith('/replays/') ? path.join(source, 'tests', pathname)
    : path.join(site, pathname));
const browser = await launchChromium(`${work}/chromium`);

// The status line holds text within the time; false otherwise.
async function shows(page, text, seconds = 10) {
    return page.waitForFunction((t) => document.getElementById('status').textContent.includes(t),
                                {timeout: seconds * 1000}, text).then(() => true, () => false);
}
const statusOf = (page) => page.$eval('#status', (element) => element.textContent);

try {
    const page = await browser.newPage();
    await page.goto(`${server.origin}/?replay=replays/enemies-close-in.replay&frame=500`);
    check(await shows(page, 'frame 500 / 921  0:16 / 0:30  1x  paused  checks 17 ok'),
          `opens paused at frame 500: "${await statusOf(page)}"`);
    await page.focus('#screen');
    const steps = [
        [() => page.keyboard.press('ArrowRight'), 'frame 800 / 921  0:26 / 0:30  1x  paused'],
        [() => page.keyboard.press('ArrowLeft'), 'frame 500 / 921'],
        [() => page.keyboard.press('Period'), 'frame 501 / 921'],
        [() => page.keyboard.press('Comma'), 'frame 500 / 921'],
        [() => page.keyboard.press('Home'), 'frame 0 / 921  0:00 / 0:30  1x  paused  checks 1 ok'],
        [() => page.click('button[data-key="68"]'), 'frame 920 / 921  0:30 / 0:30  1x  paused'],
        [() => page.click('button[data-key="13"]'), 'frame 919 / 921'],
        [() => page.keyboard.press('BracketRight'), '2x  paused'],
        [() => page.click('button[data-key="69"]'), '1x  paused'],
        [async () => {
            const box = await (await page.$('#scrub')).boundingBox();
            await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
        }, 'frame 460 / 921'],
        [() => page.keyboard.press('Space'), '1x  checks'],
        [() => page.keyboard.press('Tab'), 'you play from frame'],
    ];
    for (const [act, text] of steps) {
        await act();
        check(await shows(page, text), `"${text}" shown: "${await statusOf(page)}"`);
    }
    // Given up, the game ends; what was recorded replays natively.
    await page.keyboard.down('Escape');
    await page.waitForFunction(() => /^frame (\d+)/.exec(
        document.getElementById('status').textContent)[1] > 700, {timeout: 20000});
    await page.keyboard.up('Escape');
    const recording = await page.evaluate(() => Module.FS.readFile('/quorvel.replay',
                                                                   {encoding: 'utf8'}));
    fs.writeFileSync(path.join(work, 'taken.replay'), recording);
    for (const entry of ['Sprites', 'Audio']) {
        fs.symlinkSync(path.join(source, entry), path.join(work, entry));
    }
    const replayed = spawnSync(quorvel, ['--replay', 'taken.replay', '--headless'],
                               {cwd: work, encoding: 'utf8', timeout: 60000});
    check(/ mismatches=0 /.test(replayed.stdout),
          `the page's take-over replays natively: ${replayed.stdout.trim()} ${replayed.stderr.trim()}`);
    await page.close();

    if (long) {
        const timed = await browser.newPage();
        await timed.goto(`${server.origin}/?replay=long.replay&frame=0`);
        check(await shows(timed, 'frame 0 / ', 60), 'the long replay opens');
        const count = Number(/ \/ (\d+)/.exec(await statusOf(timed))[1]);
        await timed.focus('#screen');
        for (const [key, target] of [['End', count - 1], ['ArrowLeft', count - 301],
                                     ['Home', 0], ['End', count - 1]]) {
            const started = Date.now();
            await timed.keyboard.press(key);
            const ok = await shows(timed, `frame ${target} / ${count}`, 30);
            console.log(`page seek key=${key} to=${target} ms=${Date.now() - started}${ok ? '' : ' FAILED'}`);
            ok || ++failures;
        }
        await timed.close();
    }
} finally {
    await browser.close();
    server.stop();
    fs.rmSync(work, {recursive: true, force: true});
}
console.log(failures === 0 ? 'viewer_test: OK' : `viewer_test: ${failures} failed`);
process.exit(failures === 0 ? 0 : 1);
