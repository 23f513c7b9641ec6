// The page on screens of every shape: the canvas keeps 4:3 and fits the
// window whole, holds a pixel for each of the screen's (glyphs drawn at that
// size, not enlarged), fits again when the window or its pixel ratio
// changes, and a click still reaches the game in the window's 1024 x 768.
// Usage: node screen_test.mjs SITE_DIR
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {check, launchChromium, runChecks, serveFiles} from './chromium.mjs';

const site = path.resolve(process.argv[2]);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'qv-screen-'));
const server = await serveFiles((pathname) => path.join(site, pathname));
const browser = await launchChromium(`${work}/chromium`, {protocolTimeout: 30000});

async function open(width, height, ratio) {
    const page = await browser.newPage();
    await page.setViewport({width, height, deviceScaleFactor: ratio});
    await page.goto(`${server.origin}/`);
    await page.waitForFunction(() => qvPage.frames > 2, {timeout: 20000});
    return page;
}

// Where the canvas is, in CSS pixels, and how many pixels it holds.
function placement(page) {
    return page.evaluate(() => {
        const box = qvPage.canvas.getBoundingClientRect();
        return {left: box.left, top: box.top, right: box.right, bottom: box.bottom,
                width: box.width, height: box.height, pixelsWide: qvPage.canvas.width,
                pixelsHigh: qvPage.canvas.height, roomWidth: innerWidth, roomHeight: innerHeight,
                scrolls: document.documentElement.scrollHeight > innerHeight ||
                         document.documentElement.scrollWidth > innerWidth};
    });
}

function fits(at, ratio) {
    return at.left >= 0 && at.top >= 0 && at.right <= at.roomWidth && at.bottom <= at.roomHeight &&
        Math.abs(at.width * 3 - at.height * 4) <= 4 && !at.scrolls &&
        // It uses the room it has: the full width or all but the bar's height.
        (at.width >= at.roomWidth - 1 || at.height >= at.roomHeight - 40) &&
        at.pixelsWide === Math.round(1024 * ratio) && at.pixelsHigh === Math.round(768 * ratio);
}

const describe = (at) => `${at.width}x${at.height} CSS px at (${at.left},${at.top}) in ` +
    `${at.roomWidth}x${at.roomHeight}, ${at.pixelsWide}x${at.pixelsHigh} pixels`;

// The canvas's pixels when the page draws frame `frame`.
function canvasAtFrame(page, frame) {
    return page.evaluate((wanted) => new Promise((resolve) => {
        const draw = qvPage.drawFrame;
        qvPage.drawFrame = function (...args) {
            draw.apply(this, args);
            if (this.frames === wanted) {
                qvPage.drawFrame = draw;
                const canvas = qvPage.canvas;
                const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
                // Only the red channel travels back: the start screen's
                // colours all have it or lack it alike.
                const red = new Array(data.length / 4);
                for (let i = 0; i < red.length; ++i) {
                    red[i] = data[4 * i];
                }
                resolve({width: canvas.width, height: canvas.height, red});
            }
        };
    }), frame);
}

await runChecks(async () => {
    // Whole in view: laptop less the browser's bars, full HD, phone landscape.
    for (const [width, height] of [[1366, 660], [1920, 1080], [844, 390]]) {
        for (const ratio of [1, 2]) {
            const page = await open(width, height, ratio);
            const at = await placement(page);
            // The screenshot shows what the screen shows: the canvas's last
            // row and column are in it, drawn by the canvas, not the page.
            const shot = await page.screenshot({encoding: 'base64'});
            const seen = await page.evaluate(async (png, box) => {
                const image = new Image();
                image.src = `data:image/png;base64,${png}`;
                await image.decode();
                const scratch = new OffscreenCanvas(image.width, image.height);
                const context = scratch.getContext('2d');
                context.drawImage(image, 0, 0);
                const pixel = (x, y) => context.getImageData(x, y, 1, 1).data.slice(0, 3).join(',');
                const scale = image.width / innerWidth;
                const inside = [[box.left + 1, box.top + 1], [box.right - 2, box.bottom - 2],
                                [box.left + 1, box.bottom - 2], [box.right - 2, box.top + 1]];
                return {size: [image.width, image.height],
                        page: inside.filter(([x, y]) => pixel(Math.floor(x * scale),
                                                               Math.floor(y * scale)) === '32,32,32').length};
            }, shot, at);
            check(fits(at, ratio) && seen.size[0] === width * ratio && seen.size[1] === height * ratio &&
                  seen.page === 0,
                  `${width}x${height} at ratio ${ratio}: ${describe(at)}; the screenshot ` +
                  `(${seen.size.join('x')}) shows the canvas to its corners`);
            await page.close();
        }
    }

    // Ratio 2 draws its own glyphs: averaged 2 x 2, it is the ratio-1 frame
    // (the same glyphs in the same places), yet it is not that frame enlarged.
    // (One page at a time: a page behind another is hidden and runs no frames.)
    const plain = await open(1366, 660, 1);
    const one = await canvasAtFrame(plain, 40);
    await plain.close();
    const sharp = await open(1366, 660, 2);
    const two = await canvasAtFrame(sharp, 40);
    let averaged = 0;
    let enlarged = 0;
    let lit = 0;
    for (let y = 0; y < one.height; ++y) {
        for (let x = 0; x < one.width; ++x) {
            const corner = 2 * y * two.width + 2 * x;
            const block = [two.red[corner], two.red[corner + 1], two.red[corner + two.width],
                           two.red[corner + two.width + 1]];
            const small = one.red[y * one.width + x];
            averaged += Math.abs(block.reduce((a, b) => a + b) / 4 - small);
            enlarged += block.filter((value) => Math.abs(value - small) > 64).length;
            lit += small > 0 ? 4 : 0;
        }
    }
    const meanDifference = averaged / (one.width * one.height);
    check(two.width === 2048 && two.height === 1536 && lit > 10000 && meanDifference < 4 &&
          enlarged > lit / 20,
          `ratio 2: ${two.width}x${two.height} pixels; against ratio 1's frame 40 averaged 2 x 2 ` +
          `the mean difference is ${meanDifference.toFixed(2)} of 255; against it enlarged ` +
          `${enlarged} of ${lit} lit pixels differ`);

    // Resized, and moved to a screen of another ratio: it fits again.
    await sharp.setViewport({width: 900, height: 1000, deviceScaleFactor: 1});
    await sharp.waitForFunction(() => qvPage.canvas.width === 1024, {timeout: 5000}).catch(() => {});
    const refit = await placement(sharp);
    check(fits(refit, 1), `after a resize to 900x1000 at ratio 1: ${describe(refit)}`);
    await sharp.setViewport({width: 844, height: 390, deviceScaleFactor: 3});
    await sharp.waitForFunction(() => qvPage.canvas.width === 3072, {timeout: 5000}).catch(() => {});
    const third = await placement(sharp);
    check(fits(third, 3), `after a move to 844x390 at ratio 3: ${describe(third)}`);

    // A click in the scaled canvas reaches the game at the 1x place it covers.
    const box = await placement(sharp);
    await sharp.focus('#screen');
    // The pointer moves in whole CSS pixels: the one over window pixel (300, 200).
    const cssX = Math.round(300 * box.width / 1024);
    const cssY = Math.round(200 * box.height / 768);
    const want = [Math.floor(cssX * 1024 / box.width), Math.floor(cssY * 768 / box.height)];
    await sharp.mouse.click(box.left + cssX, box.top + cssY);
    await sharp.waitForFunction(() => qvPage.frames > 0);
    const before = await sharp.evaluate(() => qvPage.frames);
    await sharp.waitForFunction((n) => qvPage.frames > n + 2, {}, before);
    await sharp.keyboard.press('KeyQ');
    await sharp.waitForFunction(() => !document.getElementById('ended').hidden, {timeout: 20000});
    const recording = await sharp.evaluate(
        () => fetch(document.getElementById('save').href).then((r) => r.text()));
    const clicks = recording.split('\n').filter((line) => /^M \d+ 0 /.test(line));
    check(clicks.length === 1 && clicks[0].endsWith(` ${want[0]} ${want[1]}`) &&
          Math.abs(want[0] - 300) <= 3 && Math.abs(want[1] - 200) <= 3,
          `a click at CSS (${cssX}, ${cssY}) of a ${box.width}x${box.height} canvas is recorded ` +
          `as ${JSON.stringify(clicks)}, window pixel (${want.join(', ')})`);
    await sharp.close();
}, {browser, server, work});
