// Figures of the web build on this machine: the bytes the page downloads
// (also gzip-compressed), the time from navigation to the first drawn frame
// in headless Chromium, the frame statistics of a minute of play in the page
// beside the desktop's for the same game, and headless replay speed of the
// wasm build against native on that game.
// Usage (after scripts/web.sh --build-only, a desktop build and npm install
// in tests/web): node bench/web_figures.mjs [SECONDS [SITE_DIR]]
// SITE_DIR (build-web/site by default) may hold another build of the page,
// such as an older one to hold this one against.
// Prints the figures and leaves the recorded game in build-web/figures.replay.
import {spawnSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import {launchChromium, serveFiles} from '../tests/web/chromium.mjs';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '..');
const site = path.resolve(process.argv[3] || path.join(root, 'build-web/site'));
const quorvel = path.join(root, 'build/quorvel');
const seconds = Number(process.argv[2] || 60);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'qv-figures-'));

console.log('== bytes the page downloads ==');
let total = 0;
let totalGzip = 0;
for (const name of fs.readdirSync(site).sort()) {
    const file = path.join(site, name);
    if (!fs.statSync(file).isFile()) {
        continue;
    }
    const bytes = fs.readFileSync(file);
    const gzipped = zlib.gzipSync(bytes, {level: 9}).length;
    total += bytes.length;
    totalGzip += gzipped;
    console.log(`${name.padEnd(14)} ${String(bytes.length).padStart(9)} gzip ${String(gzipped).padStart(9)}`);
}
console.log(`${'total'.padEnd(14)} ${String(total).padStart(9)} gzip ${String(totalGzip).padStart(9)}`);

const server = await serveFiles((pathname) => pathname === '/figures.replay'
    ? path.join(work, 'figures.replay') : path.join(site, pathname));
const origin = server.origin;
const browser = await launchChromium(`${work}/chromium`);

console.log('== navigation to first drawn frame, 5 loads ==');
const firsts = [];
for (let i = 0; i < 5; ++i) {
    const page = await browser.newPage();
    await page.goto(`${origin}/`);
    await page.waitForFunction(() => qvPage.firstFrameMs !== null, {timeout: 30000});
    firsts.push(await page.evaluate(() => qvPage.firstFrameMs));
    await page.close();
}
firsts.sort((a, b) => a - b);
console.log(`first frame ms: ${firsts.map((ms) => ms.toFixed(0)).join(' ')} (median ${firsts[2].toFixed(0)})`);

console.log(`== ${seconds} s of play in the page (?stats) ==`);
const page = await browser.newPage();
const lines = [];
page.on('console', (message) => lines.push(message.text()));
await page.goto(`${origin}/?stats`);
await page.waitForFunction(() => qvPage.frames > 3);
await page.focus('#screen');
await page.keyboard.press('KeyP');
const box = await (await page.$('#screen')).boundingBox();
const end = Date.now() + seconds * 1000;
for (let turn = 0; Date.now() < end; ++turn) {
    const key = ['KeyD', 'KeyS', 'KeyA', 'KeyW', 'KeyE', 'KeyR'][turn % 6];
    await page.keyboard.down(key);
    await new Promise((resolve) => setTimeout(resolve, 700));
    await page.keyboard.up(key);
    await page.mouse.click(box.x + 400 + (turn % 5) * 40, box.y + 300);
}
// Give up, wait for the start screen, quit.
await page.keyboard.down('Escape');
await new Promise((resolve) => setTimeout(resolve, 300));
await page.keyboard.up('Escape');
await new Promise((resolve) => setTimeout(resolve, 7000));
await page.keyboard.press('KeyQ');
await page.waitForFunction(() => !document.getElementById('ended').hidden, {timeout: 20000});
const recording = await page.evaluate(
    () => fetch(document.getElementById('save').href).then((r) => r.text()));
fs.writeFileSync(path.join(work, 'figures.replay'), recording);
fs.copyFileSync(path.join(work, 'figures.replay'), path.join(root, 'build-web/figures.replay'));
console.log(lines.filter((line) => line.startsWith('phase=')).join('\n'));
// The engine's period above runs from the refresh that shows one frame to
// the refresh that shows the next (the time the page hands each frame); the
// page keeps both that refresh ('display') and the time the browser called
// the frame after it ('called': the dispatch's jitter, which no player sees).
const times = await page.evaluate(() => qvPage.frameTimes);
if (times) {
    for (const [which, index] of [['display', 0], ['called', 1]]) {
        const gaps = times.slice(1).map((t, i) => t[index] - times[i][index]).sort((a, b) => a - b);
        const at = (fraction) => gaps[Math.min(gaps.length - 1, Math.floor(fraction * gaps.length))];
        const us = (ms) => Math.round(ms * 1000);
        console.log(`period_on=${which} frames=${gaps.length} min_us=${us(gaps[0])} ` +
                    `p50_us=${us(at(0.5))} p99_us=${us(at(0.99))} max_us=${us(gaps[gaps.length - 1])}`);
    }
}
await page.close();

console.log('== the same game on the desktop (--replay in a window, --stats) ==');
const desktop = spawnSync('xvfb-run', ['-a', '-s', '-screen 0 1280x1024x24', quorvel, '--replay',
                                       path.join(work, 'figures.replay'), '--stats'],
                          {cwd: root, encoding: 'utf8'});
console.log(desktop.stdout.trim());

console.log('== headless replay of that game, 5 times each, taking turns: page (wasm) and native ==');
const rates = {page: [], native: []};
for (let turn = 0; turn < 5; ++turn) {
    const replayPage = await browser.newPage();
    await replayPage.goto(`${origin}/?replay=figures.replay`);
    // Polled on a timer: polling on every animation frame would run the
    // test's own script between the replay's chunks.
    await replayPage.waitForFunction(() => document.title.startsWith('frames='),
                                     {timeout: 120000, polling: 100});
    const inPage = await replayPage.title();
    await replayPage.close();
    const native = spawnSync(quorvel, ['--replay', path.join(work, 'figures.replay'), '--headless'],
                             {cwd: root, encoding: 'utf8'}).stdout.trim();
    for (const [where, line] of [['page', inPage], ['native', native]]) {
        const [, frames, secs] = /frames=(\d+) .* seconds=([\d.]+)/.exec(line);
        rates[where].push(Number(frames) / Number(secs));
        console.log(`${where.padEnd(7)} ${line}  ${rates[where].at(-1).toFixed(0)} frames/s`);
    }
}
const median = (values) => values.slice().sort((a, b) => a - b)[values.length >> 1];
console.log(`median frames/s: page ${median(rates.page).toFixed(0)}, native ` +
            `${median(rates.native).toFixed(0)}, page/native ${(median(rates.page) / median(rates.native)).toFixed(2)}`);

await browser.close();
server.stop();
fs.rmSync(work, {recursive: true, force: true});
