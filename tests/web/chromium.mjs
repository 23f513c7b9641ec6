// What the browser tests and the web figures share: Debian's Chromium,
// headless, in a fresh profile, and a server of local files on a free port
// of this machine.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import {createRequire} from 'node:module';

// Installed beside this file by npm; it drives the system's browser and
// downloads none of its own.
const puppeteer = createRequire(import.meta.url)('puppeteer-core');

const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
               '.ttf': 'font/ttf', '.replay': 'text/plain'};

export function launchChromium(profile, options = {}) {
    return puppeteer.launch({
        ...options,
        executablePath: '/usr/bin/chromium',
        args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
               '--disable-background-networking', '--disable-component-update', '--disable-sync',
               '--autoplay-policy=user-gesture-required', `--user-data-dir=${profile}`],
        defaultViewport: {width: 1100, height: 700},
    });
}

// Serves the file fileFor(pathname) names (404 without one); resolves to
// the origin and a function that stops the server.
export async function serveFiles(fileFor) {
    const server = http.createServer((request, response) => {
        const pathname = new URL(request.url, 'http://localhost').pathname;
        const file = fileFor(pathname.endsWith('/') ? pathname + 'index.html' : pathname);
        fs.readFile(file || '', (error, data) => {
            response.writeHead(error ? 404 : 200,
                               {'Content-Type': TYPES[path.extname(file || '')] || 'application/octet-stream'});
            response.end(error ? '' : data);
        });
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    return {origin: `http://127.0.0.1:${server.address().port}`, stop: () => server.close()};
}

// Each test's checks, tallied for its closing "N passed, N failed" line.
const tally = {passes: 0, failures: 0};

// Prints one check's verdict and counts it.
export function check(ok, what) {
    console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
    ok ? ++tally.passes : ++tally.failures;
}

// Runs a test's checks, an exception counting as a failed check; then
// closes the browser, stops the server and removes the work folder (kept for
// a look after a failure when keepOnFailure), prints the closing "N passed,
// N failed" line and ends the process, failing if any check did.
export async function runChecks(checks, {browser, server, work, keepOnFailure = false}) {
    try {
        await checks();
    } catch (error) {
        check(false, `${error.stack}`);
    } finally {
        await browser.close();
        server.stop();
        if (keepOnFailure && tally.failures > 0) {
            console.log(`the test's files are kept in ${work}`);
        } else {
            fs.rmSync(work, {recursive: true, force: true});
        }
    }
    console.log(`${tally.passes} passed, ${tally.failures} failed`);
    process.exit(tally.failures === 0 ? 0 : 1);
}
