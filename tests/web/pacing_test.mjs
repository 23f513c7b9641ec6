// The page's frames on the display's clock, with the display's refreshes
// played by the test (requestAnimationFrame replaced before the page loads):
// every frame stays on screen for the same number of refreshes at 60, 120
// and 144 Hz, a refresh the browser skips delays a frame without hurrying
// the next, and a jittery clock changes nothing.
// Usage: node pacing_test.mjs SITE_DIR
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {check, launchChromium, runChecks, serveFiles} from './chromium.mjs';

const site = path.resolve(process.argv[2]);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'qv-pacing-'));
const server = await serveFiles((pathname) => path.join(site, pathname));
const browser = await launchChromium(`${work}/chromium`);

// Refresh times in ms: `count` refreshes of `hz`, leaving out those `skip`
// picks, each moved by up to `jitter` ms either way.
function refreshes(hz, count, skip = () => false, jitter = 0) {
    const times = [];
    for (let i = 0; i < count; ++i) {
        if (!skip(i)) {
            times.push(1000 + i * 1000 / hz + jitter * Math.sin(i * 2.1));
        }
    }
    return times;
}

// How many refreshes each frame stayed on screen, as counts of each number.
async function framesShown(times, hz) {
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(() => {
        const waiting = [];
        window.requestAnimationFrame = (callback) => waiting.push(callback);
        window.refreshAt = (times) => {
            for (const time of times) {
                for (const callback of waiting.splice(0)) {
                    callback(time);
                }
            }
        };
        window.refreshWaiters = () => waiting.length;
    });
    await page.goto(`${server.origin}/`);
    await page.waitForFunction(() => window.refreshWaiters() > 0, {timeout: 20000, polling: 50});
    const shown = await page.evaluate((list) => {
        refreshAt(list);
        return qvPage.frameTimes.map((time) => time[0]);
    }, times);
    await page.close();
    const held = {};
    for (let i = 1; i < shown.length; ++i) {
        const count = Math.round((shown[i] - shown[i - 1]) * hz / 1000);
        held[count] = (held[count] || 0) + 1;
    }
    return held;
}

await runChecks(async () => {
    const cases = [
        // [what, refresh rate, refreshes, expected {refreshes held: frames}]
        ['60 Hz', 60, refreshes(60, 301), {2: 150}],
        ['120 Hz', 120, refreshes(120, 601), {4: 150}],
        ['144 Hz', 144, refreshes(144, 721), {5: 144}],
        // Twelve skips, half of them on a frame's refresh.
        ['60 Hz, every 25th refresh skipped', 60, refreshes(60, 301, (i) => i % 25 === 24), null],
        ['60 Hz, called only every other refresh', 60, refreshes(60, 301, (i) => i % 2 === 1), {2: 150}],
        ['60 Hz, a clock 1.5 ms off either way', 60, refreshes(60, 301, () => false, 1.5), {2: 150}],
    ];
    for (const [what, hz, times, want] of cases) {
        const held = await framesShown(times, hz);
        // Skipped refreshes: frames of two, and of three where a skip fell
        // on a frame's refresh; never one.
        const ok = want !== null ? JSON.stringify(held) === JSON.stringify(want)
            : !held[1] && held[3] > 0 && held[3] <= 12 && held[2] > 120 &&
              Object.keys(held).every((n) => n === '2' || n === '3');
        check(ok, `${what}: frames held for {refreshes: frames} ${JSON.stringify(held)}`);
    }
}, {browser, server, work});
