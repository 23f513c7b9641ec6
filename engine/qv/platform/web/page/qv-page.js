// The page around a qv game built with emscripten. The engine calls into
// window.qvPage to draw its frames, take the player's input and play sounds;
// the page starts the program with the options its URL asks for, mirrors the
// log to the console and keeps the recording of the game downloadable.
'use strict';

(function () {
    const COLUMNS = 80;
    const ROWS = 24;
    const canvas = document.getElementById('screen');
    // The game's window, in its own pixels: what mouse positions are in.
    const WIDTH = 1024;
    const HEIGHT = 768;
    const CELL_WIDTH = WIDTH / COLUMNS;
    const CELL_HEIGHT = HEIGHT / ROWS;
    // As the desktop window: twice the smaller cell side, in bold.
    const GLYPH_PIXELS = Math.floor(2 * Math.min(CELL_WIDTH, CELL_HEIGHT));
    const FONT = `bold ${GLYPH_PIXELS}px "qv-font"`;
    const COLORS = ['#000000', '#ff0000', '#00ff00', '#ffff00', '#0000ff', '#ff00ff', '#00ffff',
                    '#ffffff'];
    const program = document.body.dataset.program;
    const LOG_FILE = '/' + document.body.dataset.log;
    const RECORDING_FILE = `/${program}.replay`;

    // KeyboardEvent.code to the engine's key numbers (qv/display/Keyboard.h);
    // other keys are -1, as the desktop reports keys it does not know.
    const KEYS = {
        Space: 0, Enter: 1, Escape: 2, Tab: 3, ArrowLeft: 4, ArrowRight: 5, ArrowUp: 6,
        ArrowDown: 7, Pause: 8, Minus: 9, Equal: 10, Backquote: 11, Period: 12, Comma: 13,
        Slash: 14, ControlLeft: 15, ControlRight: 16, ShiftLeft: 17, ShiftRight: 18,
    };
    for (let i = 1; i <= 12; ++i) KEYS['F' + i] = 18 + i;
    for (let i = 0; i < 26; ++i) KEYS['Key' + String.fromCharCode(65 + i)] = 31 + i;
    for (let i = 1; i <= 9; ++i) KEYS['Digit' + i] = 56 + i;
    KEYS.Digit0 = 66;
    // Keys the engine hands a game as -1 but a replay's viewer tells apart,
    // and its scrub bar's seek.
    Object.assign(KEYS, {Home: 67, End: 68, BracketLeft: 69, BracketRight: 70});
    const SEEK = 71;
    // The browser would scroll, move the focus or open its help with these.
    const BROWSER_KEYS = /^(Arrow|Space$|Tab$|F\d+$|Backspace$|PageUp$|PageDown$|Home$|End$)/;
    // DOM button numbers to the engine's: left, middle, right.
    const BUTTONS = [0, 2, 1];
    const KEY = 0;
    const MOUSE = 1;
    const PRESSED = 0;
    const RELEASED = 1;
    const CLICKED = 0;
    const MOVED = 2;

    const params = new URLSearchParams(location.search);
    const context = canvas.getContext('2d', {alpha: false});
    const messages = document.getElementById('messages');
    const notice = document.getElementById('notice');
    const saveLink = document.getElementById('save');
    const viewer = document.getElementById('viewer');
    const scrub = document.getElementById('scrub');
    const scrubDone = document.getElementById('scrub-done');
    const status = document.getElementById('status');
    let frameCount = 0;

    const heldKeys = new Set();
    const heldButtons = new Set();
    const events = [];
    let pointer = {x: 0, y: 0};
    let audio = null;
    const sounds = [];
    const MP3_DELAY = 1105;
    let logShown = 0;
    let recordingSize = -1;
    let recordingUrl = null;

    function say(line) {
        console.error(line);
        messages.textContent += line + '\n';
    }

    function canvasPoint(event) {
        const box = canvas.getBoundingClientRect();
        return {
            x: Math.floor((event.clientX - box.left) * WIDTH / box.width),
            y: Math.floor((event.clientY - box.top) * HEIGHT / box.height),
        };
    }

    // The canvas holds a pixel for each of the screen's (2048 x 1536 at a
    // pixel ratio of 2), so glyphs are drawn at the size they are seen, and
    // it takes the largest 4:3 box the window has room for above the bar.
    const bar = document.getElementById('bar');
    let zoom = 1;
    let lastFrame = null;
    function fitCanvas() {
        const ratio = window.devicePixelRatio || 1;
        const roomWidth = document.documentElement.clientWidth;
        const roomHeight = window.innerHeight - bar.offsetHeight;
        const shown = Math.max(0.1, Math.min(roomWidth / WIDTH, roomHeight / HEIGHT));
        canvas.style.width = `${Math.floor(WIDTH * shown)}px`;
        canvas.style.height = `${Math.floor(HEIGHT * shown)}px`;
        if (Math.round(WIDTH * ratio) !== canvas.width) {
            zoom = ratio;
            canvas.width = Math.round(WIDTH * ratio);
            canvas.height = Math.round(HEIGHT * ratio);
            // A new backing store starts blank: the last frame again.
            if (lastFrame !== null) {
                drawCells(lastFrame);
            }
        }
    }
    // Moving to a screen of another pixel ratio fires no resize: a query on
    // the present ratio does, once, and is made again for the new one.
    function watchRatio() {
        const query = matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`);
        query.addEventListener('change', () => {
            fitCanvas();
            watchRatio();
        }, {once: true});
    }
    window.addEventListener('resize', fitCanvas);
    watchRatio();
    fitCanvas();

    // Browsers let sound start only after the player's first key or click.
    function wakeAudio() {
        if (audio === null) {
            return;
        }
        audio.resume().then(() => {
            for (const sound of sounds) {
                if (sound.wanted && sound.sources.length === 0) {
                    startSound(sound);
                }
            }
        }, () => {});
    }

    function startSound(sound) {
        if (audio === null || audio.state !== 'running' || sound.buffer === null) {
            return;
        }
        const source = audio.createBufferSource();
        source.buffer = sound.buffer;
        source.loop = sound.loop;
        source.connect(audio.destination);
        source.onended = () => {
            sound.sources = sound.sources.filter((s) => s !== source);
        };
        // Only the sound itself, so music loops without a gap.
        const rate = sound.buffer.sampleRate;
        if (sound.loop) {
            source.loopStart = sound.first / rate;
            source.loopEnd = (sound.first + sound.samples) / rate;
            source.start(0, sound.first / rate);
        } else {
            source.start(0, sound.first / rate, sound.samples / rate);
        }
        sound.sources.push(source);
    }

    canvas.addEventListener('keydown', (event) => {
        const code = event.code in KEYS ? KEYS[event.code] : -1;
        const shortcut = event.ctrlKey || event.altKey || event.metaKey;
        if (BROWSER_KEYS.test(event.code) || (code >= 0 && !shortcut)) {
            event.preventDefault();
        }
        wakeAudio();
        // The engine turns key repeat off: one press per press.
        if (event.repeat) {
            return;
        }
        if (code >= 0) {
            heldKeys.add(code);
        }
        events.push([KEY, PRESSED, code, 0, 0]);
    });
    canvas.addEventListener('keyup', (event) => {
        const code = event.code in KEYS ? KEYS[event.code] : -1;
        if (BROWSER_KEYS.test(event.code) || code >= 0) {
            event.preventDefault();
        }
        heldKeys.delete(code);
        events.push([KEY, RELEASED, code, 0, 0]);
    });
    // Releases that happen elsewhere never reach the canvas.
    canvas.addEventListener('blur', () => heldKeys.clear());
    canvas.addEventListener('mousedown', (event) => {
        event.preventDefault();
        canvas.focus();
        wakeAudio();
        pointer = canvasPoint(event);
        const button = event.button < BUTTONS.length ? BUTTONS[event.button] : -1;
        if (button >= 0) {
            heldButtons.add(button);
        }
        events.push([MOUSE, CLICKED, button, pointer.x, pointer.y]);
    });
    window.addEventListener('mouseup', (event) => {
        heldButtons.delete(event.button < BUTTONS.length ? BUTTONS[event.button] : -1);
    });
    window.addEventListener('mousemove', (event) => {
        pointer = canvasPoint(event);
    });
    canvas.addEventListener('mousemove', (event) => {
        pointer = canvasPoint(event);
        events.push([MOUSE, MOVED, -1, pointer.x, pointer.y]);
    });
    canvas.addEventListener('contextmenu', (event) => event.preventDefault());
    // The viewer's buttons are its keys; the scrub bar seeks where clicked.
    for (const button of viewer.querySelectorAll('button')) {
        button.addEventListener('click', () => {
            events.push([KEY, PRESSED, Number(button.dataset.key), 0, 0]);
            canvas.focus();
        });
    }
    scrub.addEventListener('mousedown', (event) => {
        const box = scrub.getBoundingClientRect();
        const part = Math.min(Math.max((event.clientX - box.left) / box.width, 0), 1);
        events.push([KEY, PRESSED, SEEK, Math.round(part * Math.max(frameCount - 1, 0)), 0]);
        event.preventDefault();
        canvas.focus();
    });
    document.getElementById('again').addEventListener('click', () => location.reload());

    // words: four 32-bit words a cell, column and row as floats, character
    // and colour as ints; drawn in the canvas's own pixels.
    function drawCells(words) {
        const cells = new Float32Array(words.buffer, words.byteOffset, words.length);
        const cellWidth = CELL_WIDTH * zoom;
        const cellHeight = CELL_HEIGHT * zoom;
        const glyph = GLYPH_PIXELS * zoom;
        context.fillStyle = COLORS[0];
        context.fillRect(0, 0, canvas.width, canvas.height);
        context.font = `bold ${glyph}px "qv-font"`;
        context.textBaseline = 'alphabetic';
        for (let word = 0; word < cells.length; word += 4) {
            const x = cells[word] * cellWidth;
            const y = cells[word + 1] * cellHeight;
            const ch = words[word + 2] & 0xff;
            const color = words[word + 3];
            // A black cell behind each character cuts off what the
            // character before it drew past its own cell.
            context.fillStyle = COLORS[0];
            context.fillRect(x - cellWidth / 10, y + cellHeight / 5, cellWidth, cellHeight);
            if (ch === 32 || ch === 9 || ch === 10 || ch === 13) {
                continue;
            }
            context.fillStyle = color >= 0 && color < COLORS.length ? COLORS[color] : '#ffffff';
            context.fillText(String.fromCharCode(ch), x, y + glyph);
        }
    }

    // What the engine calls, each once per frame or per sound.
    const page = {
        frames: 0,
        firstFrameMs: null,
        frameTimes: [],
        canvas: canvas,

        // cells: [column, row] as floats, then [character, colour] as ints,
        // four 32-bit words per cell from word index `first` on.
        drawFrame(floats, ints, first, count) {
            // Kept, to be drawn again on a new backing store.
            lastFrame = ints.slice(first, first + 4 * count);
            drawCells(lastFrame);
            if (this.firstFrameMs === null) {
                this.firstFrameMs = performance.now();
                console.log(`first frame ${this.firstFrameMs.toFixed(0)} ms after navigation`);
            }
            ++this.frames;
        },

        // Moves up to `room` queued events into five ints each; returns how many.
        takeEvents(ints, first, room) {
            const count = Math.min(room, events.length);
            for (let i = 0; i < count; ++i) {
                ints.set(events[i], first + 5 * i);
            }
            events.splice(0, count);
            return count;
        },

        isKeyHeld(code) {
            return heldKeys.has(code);
        },

        isButtonHeld(button) {
            return heldButtons.has(button);
        },

        pointerX() {
            return pointer.x;
        },

        pointerY() {
            return pointer.y;
        },

        hasAudio() {
            return audio !== null;
        },

        // Decoding finishes later; a sound played before then stays silent,
        // music starts when it is ready. samples and rate: the sound's length
        // and sample rate, for an MP3 made from a WAV file, else 0.
        loadSound(bytes, samples, rate) {
            const sound = {buffer: null, loop: false, sources: [], wanted: false, first: 0, samples: 0};
            sounds.push(sound);
            if (audio !== null) {
                audio.decodeAudioData(bytes.slice().buffer).then((buffer) => {
                    // Decoders that keep the encoder's delay in front of the
                    // sound (1105 samples from LAME at 44.1 kHz) are given
                    // away by the length; those that drop it are not.
                    // Both are counted at the context's rate, which decoding
                    // converts to.
                    const resampled = samples > 0 ? Math.round(samples * buffer.sampleRate / rate) : 0;
                    const inFront = resampled > 0 ? Math.round(MP3_DELAY * buffer.sampleRate / rate) : 0;
                    sound.first = resampled > 0 && buffer.length >= resampled + inFront ? inFront : 0;
                    sound.samples = resampled > 0 ? Math.min(resampled, buffer.length - sound.first)
                        : buffer.length;
                    sound.buffer = buffer;
                    if (sound.wanted) {
                        startSound(sound);
                    }
                }, () => console.warn(`${program}: a sound could not be decoded`));
            }
            return sounds.length - 1;
        },

        // Plays from the start, or goes on if already playing.
        playSound(id, loop) {
            const sound = sounds[id];
            sound.loop = loop;
            sound.wanted = loop;
            if (sound.sources.length === 0) {
                startSound(sound);
            }
        },

        stopSound(id) {
            const sound = sounds[id];
            sound.wanted = false;
            for (const source of sound.sources) {
                source.onended = null;
                source.stop();
            }
            sound.sources = [];
        },

        // Each decoded sound's part that plays, in seconds from its
        // buffer's start: [first, length].
        soundParts() {
            return sounds.filter((sound) => sound.buffer !== null).map((sound) =>
                [sound.first / sound.buffer.sampleRate, sound.samples / sound.buffer.sampleRate]);
        },

        // 'running' while sound can play, 'none' without Web Audio.
        audioState() {
            return audio === null ? 'none' : audio.state;
        },

        soundsPlaying() {
            return sounds.filter((sound) => sound.sources.length > 0).length;
        },

        setTitle(text) {
            document.title = text;
        },

        // A replay's viewer says where it stands: "frame N / COUNT ...".
        setStatus(text) {
            status.textContent = text;
            const at = /^frame (\d+) \/ (\d+)/.exec(text);
            if (at !== null) {
                frameCount = Number(at[2]);
                scrubDone.style.width = `${100 * Number(at[1]) / Math.max(frameCount - 1, 1)}%`;
            }
        },

        // The program hands its frames over: frame(refreshMs) runs one and
        // says whether the game goes on. refreshMs: when the refresh that
        // shows the frame began, on performance.now()'s clock: the engine
        // times its frame period from there. frames(count) runs up to count
        // frames headless in one call, and says the same.
        runFrames(headless, frame, frames) {
            const guarded = (run) => (argument) => {
                try {
                    return run(argument);
                } catch (e) {
                    // The last frame ends the program by throwing.
                    if (e === 'unwind' || (e && e.name === 'ExitStatus')) {
                        return false;
                    }
                    throw e;
                }
            };
            if (headless) {
                runChunks(guarded(frames));
            } else {
                runOnRefresh(guarded(frame));
            }
        },
    };
    window.qvPage = page;

    // A headless replay runs as fast as it can, in chunks that leave the page
    // a turn between them (a message comes back sooner than a timer). The
    // first starts as soon as the program has handed its frames over, before
    // the browser turns to anything else.
    const CHUNK_MS = 50;
    // A call into the program and a look at the clock each cost about what a
    // headless frame does, so frames go sixteen to a call.
    const FRAMES_PER_CALL = 16;
    function runChunks(runFrames) {
        const channel = new MessageChannel();
        const chunk = () => {
            const until = performance.now() + CHUNK_MS;
            do {
                if (!runFrames(FRAMES_PER_CALL)) {
                    channel.port1.close();
                    return;
                }
            } while (performance.now() < until);
            channel.port2.postMessage(null);
        };
        channel.port1.onmessage = chunk;
        queueMicrotask(chunk);
    }

    // Frames on the display's clock. Each frame is shown for the same whole
    // number of refreshes, the number that comes nearest the engine's 33 ms:
    // two at 60 Hz (33.3 ms), four at 120 Hz (33.3 ms), five at 144 Hz
    // (34.7 ms). A frame shown for two refreshes and the next for one would
    // judder; a game a few per cent slow does not. The refresh period comes
    // from the last gaps between animation frames: a busy browser skips
    // refreshes, which makes gaps of two or three periods, so only the gaps
    // near the shortest count, and their median evens out a jittery clock
    // (gaps under 4 ms are the clock's noise, not a display).
    const FRAME_MS = 33;
    const GAPS_KEPT = 60;
    const SHORTEST_REFRESH_MS = 4;
    let frameRunner = null;
    let lastRefresh = null;
    let refreshesOwed = 0;
    const gaps = [];
    function refreshPeriod() {
        if (gaps.length === 0) {
            return 1000 / 60;
        }
        const shortest = Math.min(...gaps);
        const single = gaps.filter((gap) => gap < 1.5 * shortest).sort((a, b) => a - b);
        return single[single.length >> 1];
    }
    function onRefresh(now) {
        if (frameRunner === null) {
            return;
        }
        requestAnimationFrame(onRefresh);
        // A hidden page runs no frames; it goes on from the same frame.
        if (document.hidden) {
            lastRefresh = null;
            return;
        }
        const gap = lastRefresh === null ? 0 : now - lastRefresh;
        if (gap >= SHORTEST_REFRESH_MS) {
            gaps.push(gap);
            if (gaps.length > GAPS_KEPT) {
                gaps.shift();
            }
        }
        const refresh = refreshPeriod();
        const perFrame = Math.max(1, Math.round(FRAME_MS / refresh));
        // The first refresh after a start or a hidden spell runs a frame.
        refreshesOwed = lastRefresh === null ? perFrame : refreshesOwed + Math.round(gap / refresh);
        lastRefresh = now;
        if (refreshesOwed < perFrame) {
            return;
        }
        // A frame that comes a refresh late is not made up by a short one
        // after it: every frame stays on screen its full number of refreshes.
        refreshesOwed = 0;
        // When each frame was due on the display's clock and when the
        // browser called it: the figures read both.
        if (page.frameTimes.length < 1e6) {
            page.frameTimes.push([now, performance.now()]);
        }
        if (!frameRunner(now)) {
            frameRunner = null;
        }
    }
    function runOnRefresh(run) {
        frameRunner = run;
        requestAnimationFrame(onRefresh);
    }
    // Music and sounds stop with the frames while the page is hidden.
    document.addEventListener('visibilitychange', () => {
        if (audio === null) {
            return;
        }
        if (document.hidden) {
            audio.suspend().catch(() => {});
        } else {
            lastRefresh = null;
            wakeAudio();
        }
    });

    // The log file and the recording grow as the program runs: the new log
    // lines go to the console and the link always offers the whole recording.
    function followFiles() {
        const fs = window.Module && window.Module.FS;
        if (!fs) {
            return;
        }
        try {
            const log = fs.readFile(LOG_FILE, {encoding: 'utf8'});
            // One console line a message: a message need not end its line.
            for (const message of log.slice(logShown).split(/(?=\d\d:\d\d:\d\d Message: )/)) {
                if (message !== '') {
                    console.log(message.replace(/\n$/, ''));
                }
            }
            logShown = log.length;
        } catch (e) {
            // No log yet.
        }
        try {
            const size = fs.stat(RECORDING_FILE).size;
            if (size !== recordingSize && size > 0) {
                recordingSize = size;
                if (recordingUrl !== null) {
                    URL.revokeObjectURL(recordingUrl);
                }
                const bytes = fs.readFile(RECORDING_FILE);
                recordingUrl = URL.createObjectURL(new Blob([bytes], {type: 'text/plain'}));
                saveLink.href = recordingUrl;
                saveLink.hidden = false;
            }
        } catch (e) {
            // Not recording, or nothing written yet.
        }
    }

    function programArguments(replayFile, watched) {
        const args = [];
        if (watched) {
            // Watched from a frame on, and recorded when the player takes over.
            args.push('--replay', replayFile, '--frame', params.get('frame'),
                '--record', RECORDING_FILE);
        } else if (replayFile !== null) {
            args.push('--replay', replayFile, '--headless');
        } else {
            args.push('--record', RECORDING_FILE);
        }
        if (params.has('stats')) {
            args.push('--stats');
        }
        return args;
    }

    // Fetched before the program starts, so its reader finds the file; a
    // failed fetch leaves no file and the reader says so in its own words.
    function fetchReplay(module, url, file) {
        module.addRunDependency('replay');
        let target;
        try {
            target = new URL(url, location.href);
        } catch (e) {
            say(`${program}: ${url}: not a URL`);
            module.removeRunDependency('replay');
            return;
        }
        if (target.origin !== location.origin) {
            say(`${program}: ${url}: a replay must come from the server of this page`);
            module.removeRunDependency('replay');
            return;
        }
        fetch(target).then((response) => {
            if (!response.ok) {
                throw new Error(`HTTP ${response.status} ${response.statusText}`.trim());
            }
            return response.arrayBuffer();
        }).then((data) => {
            module.FS.writeFile(file, new Uint8Array(data));
        }, (error) => {
            say(`${program}: cannot fetch ${url}: ${error.message}`);
        }).finally(() => module.removeRunDependency('replay'));
    }

    function start() {
        if (location.protocol === 'file:') {
            notice.textContent = 'This page must be served, not opened as a file: run ' +
                './scripts/web.sh in the repository and open http://127.0.0.1:8000/';
            console.error(notice.textContent);
            return;
        }
        const replayUrl = params.get('replay');
        const replayFile = replayUrl === null ? null
            : '/' + (replayUrl.split(/[/?#]/).filter((part) => part !== '').pop() || 'given.replay');
        // A replay with &frame=N is watched from that frame, with its sounds;
        // one without is checked headless: it plays nothing, so nothing is
        // decoded.
        const watched = replayFile !== null && /^\d{1,9}$/.test(params.get('frame') || '');
        viewer.hidden = !watched;
        try {
            audio = replayFile === null || watched ? new AudioContext() : null;
        } catch (e) {
            console.warn(`${program}: no Web Audio; the game runs silent`);
        }
        const module = {
            arguments: programArguments(replayFile, watched),
            print(line) {
                console.log(line);
                if (/^frames=\d+ checks=\d+ mismatches=\d+ seconds=/.test(line)) {
                    document.title = line;
                    notice.textContent = line;
                }
            },
            printErr(line) {
                say(line);
            },
            preRun: [() => {
                if (replayFile !== null) {
                    fetchReplay(module, replayUrl, replayFile);
                }
            }],
            onExit(status) {
                followFiles();
                clearInterval(follower);
                document.getElementById('ended').hidden = false;
                console.log(`${program}: the game ended (status ${status})`);
            },
            onAbort(reason) {
                followFiles();
                clearInterval(follower);
                say(`${program}: stopped: ${reason}`);
                document.getElementById('ended').hidden = false;
            },
        };
        window.Module = module;
        // A replay's log is shown once it has run: reading it as it grows
        // would slow the replay down.
        const follower = replayFile === null || watched ? setInterval(followFiles, 250) : null;
        canvas.focus();
        document.fonts.load(FONT).then((faces) => {
            if (faces.length === 0) {
                say(`${program}: cannot load the font qv-font.ttf beside this page`);
            }
        }, () => say(`${program}: cannot load the font qv-font.ttf beside this page`))
            .finally(() => {
                const script = document.createElement('script');
                script.src = `${program}.js`;
                script.onerror = () => say(`${program}: cannot load ${program}.js`);
                document.body.appendChild(script);
            });
    }

    start();
})();
