"use strict";
// Pacing of a player page, so that a still movie costs next to nothing:
//  - the player's frames are drawn only when they differ from the frame on screen (the
//    player redraws its whole stage on every frame of the movie, changed or not);
//  - the player ticks on every display frame only for a while after input or a host call
//    (hover looks follow the mouse at once); otherwise at the movie's own frame rate, and
//    while nothing changes a few times a second;
//  - a sound output that has played only silence for a while sleeps until the player
//    wakes up;
//  - the page shows no game controllers, so the engine never starts polling for them.
// Loaded before the player's script; host.js calls window.pelumoPacer.
(function () {
    const LIVE_MS = 1000;        // after input or a host call: ticks on every display frame
    const REST_AFTER_MS = 1000;  // no change and no input for this long: the page rests
    const REST_TICK_MS = 250;    // a resting player still ticks (timers in the movie run)
    const SILENT_AFTER_MS = 1500; // only silence for this long (and resting): sound sleeps

    const now = function () { return performance.now(); };
    let lastInput = now();      // last input or host call
    let lastChange = now();     // last frame that changed the stage
    let frameMs = 1000 / 24;    // the movie's frame interval
    let drawnFrames = 0;        // frames that reached the stage
    let skippedFrames = 0;      // frames equal to the one on the stage
    let onDrawn = null;         // called once after the next frame that reaches the stage

    // Frames ------------------------------------------------------------------------
    // While the player ticks, its drawing on the stage (the canvas in the page) is
    // recorded; at the end of the tick the recording is compared with the last one drawn
    // and replayed only when it differs. Drawing anywhere else (the player's pictures,
    // paths, patterns) may change what the same calls draw, so it counts as a change.
    const Ctx = window.CanvasRenderingContext2D;
    const RECORDED = ["setTransform", "resetTransform", "transform", "translate", "scale",
        "rotate", "fill", "stroke", "fillRect", "strokeRect", "clearRect", "drawImage", "save",
        "restore", "clip", "beginPath", "closePath", "moveTo", "lineTo", "bezierCurveTo",
        "quadraticCurveTo", "arc", "arcTo", "ellipse", "rect", "roundRect", "fillText",
        "strokeText", "setLineDash"];
    const STATE = ["fillStyle", "strokeStyle", "globalAlpha", "globalCompositeOperation",
        "filter", "imageSmoothingEnabled", "imageSmoothingQuality", "lineWidth", "lineCap",
        "lineJoin", "miterLimit", "lineDashOffset", "font", "textAlign", "textBaseline",
        "direction", "shadowBlur", "shadowColor", "shadowOffsetX", "shadowOffsetY"];
    // Calls that neither draw nor depend on what was drawn.
    const FACTORIES = { createPattern: true, createLinearGradient: true,
        createRadialGradient: true, createConicGradient: true, createImageData: true,
        getContextAttributes: true };

    let recording = null;  // [fn, isSetter, args or value, ...] of the current tick
    let onStage = null;    // the stage's context (a context whose canvas is in the page)
    let lastFrame = null;  // the recording on the stage; null: the stage must be redrawn
    let changedElsewhere = false;

    function isStage(ctx) {
        if (ctx === onStage) return true;
        if (ctx.canvas && ctx.canvas.isConnected) {
            onStage = ctx;
            lastFrame = null;
            return true;
        }
        return false;
    }

    function replay(ops) {
        for (let i = 0; i < ops.length; i += 3) {
            if (ops[i + 1]) ops[i].call(onStage, ops[i + 2]);
            else ops[i].apply(onStage, ops[i + 2]);
        }
    }

    // Draws what was recorded so far; the rest of the tick draws directly.
    function flush() {
        const ops = recording;
        recording = null;
        if (ops) replay(ops);
        lastFrame = null;
    }

    function sameFrame(a, b) {
        if (!a || a.length !== b.length) return false;
        for (let i = 0; i < a.length; i += 3) {
            if (a[i] !== b[i]) return false;
            const x = a[i + 2], y = b[i + 2];
            if (a[i + 1]) {
                if (x !== y) return false;
                continue;
            }
            if (x.length !== y.length) return false;
            for (let k = 0; k < x.length; k++) {
                if (x[k] !== y[k]) return false;
                // A video shows new pictures without any call.
                if (x[k] instanceof HTMLVideoElement) return false;
            }
        }
        return true;
    }

    function endFrame(ops) {
        if (ops.length === 0) return;
        if (!changedElsewhere && sameFrame(lastFrame, ops)) {
            skippedFrames++;
            return;
        }
        changedElsewhere = false;
        replay(ops);
        lastFrame = ops;
        drawnFrames++;
        const rested = resting();
        lastChange = now();
        if (rested) {
            // The movie moves again by itself: its ticks and its sound come back.
            reschedule();
            wakeSound();
        }
        if (onDrawn) {
            const done = onDrawn;
            onDrawn = null;
            // The picture is on the screen once the display has taken a frame with it.
            nativeRequest.call(window, function () {
                nativeRequest.call(window, function () { done(); });
            });
        }
    }

    function installFrameFilter() {
        if (!Ctx) return;
        const P = Ctx.prototype;
        RECORDED.forEach(function (name) {
            const fn = P[name];
            if (typeof fn !== "function") return;
            P[name] = function () {
                if (!isStage(this)) {
                    changedElsewhere = true;
                } else if (recording) {
                    recording.push(fn, false, arguments);
                    return undefined;
                } else {
                    lastFrame = null;
                }
                return fn.apply(this, arguments);
            };
        });
        STATE.forEach(function (name) {
            const d = Object.getOwnPropertyDescriptor(P, name);
            if (!d || !d.set) return;
            Object.defineProperty(P, name, {
                configurable: true,
                enumerable: d.enumerable,
                get: function () {
                    if (recording && this === onStage) flush();
                    return d.get.call(this);
                },
                set: function (value) {
                    if (recording && isStage(this)) {
                        recording.push(d.set, true, value);
                        return;
                    }
                    d.set.call(this, value);
                },
            });
        });
        // Anything else on the stage (reading pixels, measuring text) sees all drawn so far.
        Object.getOwnPropertyNames(P).forEach(function (name) {
            const d = Object.getOwnPropertyDescriptor(P, name);
            if (typeof d.value !== "function" || FACTORIES[name] || RECORDED.indexOf(name) >= 0 ||
                name === "constructor") return;
            const fn = d.value;
            P[name] = function () {
                if (recording && this === onStage) flush();
                return fn.apply(this, arguments);
            };
        });
        // What the stage's calls refer to may change in place.
        const touched = function () { changedElsewhere = true; };
        [[window.Path2D, ["addPath", "moveTo", "lineTo", "bezierCurveTo", "quadraticCurveTo",
            "arc", "arcTo", "ellipse", "rect", "closePath"]],
         [window.CanvasPattern, ["setTransform"]],
         [window.CanvasGradient, ["addColorStop"]],
         [window.OffscreenCanvasRenderingContext2D, Object.getOwnPropertyNames(
             window.OffscreenCanvasRenderingContext2D ? OffscreenCanvasRenderingContext2D.prototype : {})]
        ].forEach(function (entry) {
            const type = entry[0];
            if (!type) return;
            entry[1].forEach(function (name) {
                const d = Object.getOwnPropertyDescriptor(type.prototype, name);
                if (!d || typeof d.value !== "function" || name === "constructor") return;
                type.prototype[name] = function () {
                    touched();
                    return d.value.apply(this, arguments);
                };
            });
        });
        // A canvas given a size is cleared.
        ["width", "height"].forEach(function (name) {
            const d = Object.getOwnPropertyDescriptor(HTMLCanvasElement.prototype, name);
            Object.defineProperty(HTMLCanvasElement.prototype, name, {
                configurable: true,
                enumerable: d.enumerable,
                get: d.get,
                set: function (value) {
                    if (onStage && this === onStage.canvas) lastFrame = null;
                    else changedElsewhere = true;
                    d.set.call(this, value);
                },
            });
        });
    }

    // Ticks -------------------------------------------------------------------------
    // The player asks for its next tick with requestAnimationFrame at the end of each one.
    const nativeRequest = window.requestAnimationFrame;
    const nativeCancel = window.cancelAnimationFrame;
    const waiting = new Map(); // our id -> { callback, frame (native id), timer }
    let nextId = 1;

    function resting() {
        const t = now();
        return t - lastInput >= REST_AFTER_MS && t - lastChange >= REST_AFTER_MS;
    }

    function run(id, time) {
        const entry = waiting.get(id);
        if (!entry) return;
        waiting.delete(id);
        recording = [];
        try {
            entry.callback(time);
        } finally {
            const ops = recording;
            recording = null;
            if (ops) endFrame(ops);
        }
    }

    function schedule(id, entry) {
        if (document.hidden || now() - lastInput < LIVE_MS) {
            entry.frame = nativeRequest.call(window, function (time) { run(id, time); });
            return;
        }
        const wait = resting() ? REST_TICK_MS : frameMs;
        entry.timer = setTimeout(function () { run(id, now()); }, wait);
    }

    function installTicks() {
        window.requestAnimationFrame = function (callback) {
            const id = nextId++;
            const entry = { callback: callback, frame: 0, timer: 0 };
            waiting.set(id, entry);
            schedule(id, entry);
            return id;
        };
        window.cancelAnimationFrame = function (id) {
            const entry = waiting.get(id);
            if (!entry) return;
            waiting.delete(id);
            if (entry.frame) nativeCancel.call(window, entry.frame);
            if (entry.timer) clearTimeout(entry.timer);
        };
    }

    // Ticks waiting on a timer are asked for again at the pace of now.
    function reschedule() {
        waiting.forEach(function (entry, id) {
            if (!entry.timer) return;
            clearTimeout(entry.timer);
            entry.timer = 0;
            schedule(id, entry);
        });
    }

    // Sound -------------------------------------------------------------------------
    // The player keeps its sound output fed with short buffers; each is looked at as it
    // starts. A context fed only silence while the page rests is suspended, and resumed
    // as soon as the page wakes (input and host calls come before the player's sounds).
    const contexts = new Set();
    let lastSound = now();
    let soundSleeps = false;

    function silent(buffer) {
        for (let c = 0; c < buffer.numberOfChannels; c++) {
            const data = buffer.getChannelData(c);
            for (let i = 0; i < data.length; i += 1) {
                if (data[i] !== 0) return false;
            }
        }
        return true;
    }

    function installSound() {
        const Source = window.AudioBufferSourceNode;
        if (!Source) return;
        const start = Source.prototype.start;
        Source.prototype.start = function () {
            const context = this.context;
            contexts.add(context);
            const t = now();
            if (!this.buffer || !silent(this.buffer)) lastSound = t;
            const result = start.apply(this, arguments);
            if (t - lastSound >= SILENT_AFTER_MS && (document.hidden || resting())) sleepSound();
            return result;
        };
    }

    function sleepSound() {
        soundSleeps = true;
        contexts.forEach(function (context) {
            if (context.state === "closed") contexts.delete(context); // its player is gone
            else if (context.state === "running") context.suspend().catch(function () {});
        });
    }

    function wakeSound() {
        if (!soundSleeps) return;
        soundSleeps = false;
        lastSound = now();
        contexts.forEach(function (context) {
            if (context.state === "closed") contexts.delete(context);
            else if (context.state === "suspended") context.resume().catch(function () {});
        });
    }

    // Wake-ups ----------------------------------------------------------------------
    function wake() {
        lastInput = now();
        reschedule();
        wakeSound();
    }

    function installInput() {
        ["pointerdown", "pointerup", "pointermove", "mousedown", "mouseup", "mousemove",
         "keydown", "keyup", "wheel", "touchstart", "touchmove", "touchend", "focus"]
            .forEach(function (type) { window.addEventListener(type, wake, true); });
        document.addEventListener("visibilitychange", wake, true);
    }

    // Game controllers: none.
    function hideGamepads() {
        try {
            Object.defineProperty(Navigator.prototype, "getGamepads", {
                configurable: true,
                value: function () { return []; },
            });
        } catch (e) {
            // Left as it is: the player copes either way.
        }
    }

    installFrameFilter();
    installTicks();
    installSound();
    installInput();
    hideGamepads();

    window.pelumoPacer = {
        // A host call or a new movie: the player runs at full pace again.
        wake: wake,
        // The loaded movie's frame rate, its pace while nobody touches it.
        setFrameRate: function (rate) {
            if (rate > 0) frameMs = Math.max(1000 / 60, 1000 / rate);
        },
        // `callback` runs once the next frame that changes the stage is on the screen.
        whenDrawn: function (callback) {
            onDrawn = callback;
            lastFrame = null;
            wake();
        },
        // What the page does now (tests and benchmarks read it).
        state: function () {
            return { resting: !document.hidden && resting(), drawn: drawnFrames,
                     skipped: skippedFrames, soundSleeps: soundSleeps };
        },
    };
})();
