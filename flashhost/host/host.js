"use strict";
// The player page of the movie host. The program talks to it through the web channel
// object "host"; the control movie that the host puts into every loaded movie reports
// the root timeline's state through the window functions pelumo*.
(function () {
    const SCHEME = location.protocol;
    const PARAMS = new URLSearchParams(location.search);

    // This engine refuses fetch() on our scheme, and the player fetches its code and the
    // movies. Such requests go through XMLHttpRequest instead.
    function get(href) {
        return new Promise(function (resolve, reject) {
            const xhr = new XMLHttpRequest();
            xhr.open("GET", href);
            xhr.responseType = "arraybuffer";
            xhr.onload = function () {
                const status = xhr.status >= 200 && xhr.status < 600 ? xhr.status : 200;
                resolve({ status: status, type: xhr.getResponseHeader("Content-Type") || "application/octet-stream",
                          bytes: xhr.response });
            };
            xhr.onerror = function () { reject(new TypeError("Failed to fetch " + href)); };
            xhr.send();
        });
    }

    function response(href, status, type, body) {
        const r = new Response(body, { status: status, headers: { "Content-Type": type } });
        Object.defineProperty(r, "url", { value: href });
        return r;
    }

    // The player's code (14 MB of WebAssembly) is fetched by the player only once a movie
    // loads, and then compiled. The host names the file, so a worker fetches and compiles
    // it as soon as the page starts, while the page loads the rest; the player's own
    // request then gets that module. A wrong guess or a failure only costs the time saved.
    function codeWorker() {
        onmessage = function (e) {
            get(e.data).then(function (r) {
                if (r.status !== 200) throw new Error("status " + r.status);
                return WebAssembly.compile(r.bytes);
            }).then(
                function (module) { postMessage({ module: module }); },
                function (err) { postMessage({ error: String(err) }); });
        };
    }

    const code = { href: null, module: null, claimed: false };
    (function prefetchCode() {
        // The player takes its build with the newer features where the engine has them;
        // SIMD is the one engines lack.
        const simd = WebAssembly.validate(new Uint8Array(
            [0, 97, 115, 109, 1, 0, 0, 0, 1, 5, 1, 96, 0, 1, 123, 3, 2, 1, 0, 10, 8, 1, 6, 0, 65, 0, 253, 15, 11]));
        const file = PARAMS.get(simd ? "code" : "plain");
        if (!file || typeof Worker !== "function") return;
        code.href = new URL("ruffle/" + file, location.href).href;
        const script = get.toString() + "(" + codeWorker.toString() + ")();";
        const source = URL.createObjectURL(new Blob([script], { type: "text/javascript" }));
        const worker = new Worker(source);
        code.module = new Promise(function (resolve, reject) {
            worker.onmessage = function (e) {
                if (e.data.module) resolve(e.data.module);
                else reject(new Error(e.data.error));
                worker.terminate();
                URL.revokeObjectURL(source);
            };
            worker.onerror = function () {
                reject(new Error("code worker failed"));
                worker.terminate();
                URL.revokeObjectURL(source);
            };
        });
        code.module.catch(function () {});
        worker.postMessage(code.href);
    })();

    const nativeInstantiateStreaming = WebAssembly.instantiateStreaming;
    WebAssembly.instantiateStreaming = async function (source, imports) {
        if (!code.claimed) return nativeInstantiateStreaming.call(WebAssembly, source, imports);
        const compiled = code.module;
        code.claimed = false;
        code.module = null; // the player holds it from now on
        try {
            const module = await compiled;
            return { module: module, instance: await WebAssembly.instantiate(module, imports) };
        } catch (e) {
            const r = await get(code.href);
            return nativeInstantiateStreaming.call(WebAssembly, response(code.href, r.status, r.type, r.bytes), imports);
        }
    };

    const nativeFetch = window.fetch.bind(window);
    window.fetch = function (input, init) {
        const href = typeof input === "string" ? input : input instanceof URL ? input.href : input.url;
        const url = new URL(href, location.href);
        if (url.protocol !== SCHEME) return nativeFetch(input, init);
        if (url.href === code.href && code.module) {
            // Answered by the instantiation above, from the module compiled ahead.
            code.claimed = true;
            return Promise.resolve(response(url.href, 200, "application/wasm", new Uint8Array(0)));
        }
        if (url.pathname.endsWith(".wasm")) code.module = null; // the other build: not needed
        return get(url.href).then(function (r) { return response(url.href, r.status, r.type, r.bytes); });
    };

    let host = null;       // the program's side
    let player = null;     // the player element
    let loadToken = 0;     // the load the control movie answers for
    let controlReady = false;
    let loop = true;
    let seq = 0;           // the last frame call applied
    let last = { frame: -1, total: 0, playing: true };
    let fallback = null;
    let withControl = true; // the movie carries the control movie
    let background = false; // the movie plays on while the page is hidden
    let stage = null;       // stage settings that came while the movie was loading
    let unreported = false; // a call came since the last report

    // No script text from a movie runs here: the page's policy refuses eval, and the
    // player's external calls, which it builds as "return (<name>)(...arguments);"
    // functions, become requests to the program instead (pelumo* are the host's own).
    const HOST_CALLS = { pelumoTick: true, pelumoReady: true };
    function xmlText(s) {
        return String(s).replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;")
            .replace(/"/g, "&quot;").replace(/'/g, "&apos;");
    }
    function xmlValue(v) {
        if (v === null) return "<null/>";
        if (v === undefined) return "<undefined/>";
        if (v === true || v === false) return "<" + v + "/>";
        if (typeof v === "number") return "<number>" + v + "</number>";
        if (Array.isArray(v)) {
            return "<array>" + v.map(function (item, i) {
                return "<property id=\"" + i + "\">" + xmlValue(item) + "</property>";
            }).join("") + "</array>";
        }
        if (typeof v === "object") {
            return "<object>" + Object.keys(v).map(function (key) {
                return "<property id=\"" + xmlText(key) + "\">" + xmlValue(v[key]) + "</property>";
            }).join("") + "</object>";
        }
        return "<string>" + xmlText(v) + "</string>";
    }
    // A value written as xmlValue writes it (what the program answers); undefined for
    // anything else.
    function valueOfXml(node) {
        if (!node) return undefined;
        const list = function (into) {
            for (const p of node.children)
                if (p.nodeName === "property") into[p.getAttribute("id")] = valueOfXml(p.firstElementChild);
            return into;
        };
        switch (node.nodeName) {
        case "string": return node.textContent;
        case "number": return Number(node.textContent);
        case "true": return true;
        case "false": return false;
        case "null": return null;
        case "array": return list([]);
        case "object": return list({});
        default: return undefined;
        }
    }
    function parseXml(text) {
        if (!text) return null;
        const doc = new DOMParser().parseFromString(text, "text/xml");
        return doc.getElementsByTagName("parsererror").length ? null : doc.documentElement;
    }
    // The movie's external call goes to the program, which answers at once (the movie
    // waits for it, as it waits for a script's answer).
    let callUrl = null;
    function externalCall(request) {
        if (!callUrl) return undefined;
        try {
            const xhr = new XMLHttpRequest();
            xhr.open("GET", callUrl + "?r=" + encodeURIComponent(request), false);
            xhr.send();
            return xhr.status === 200 ? valueOfXml(parseXml(xhr.responseText)) : undefined;
        } catch (e) {
            return undefined;
        }
    }
    function flashCallRequest(name, args) {
        return "<invoke name=\"" + xmlText(name) + "\" returntype=\"xml\"><arguments>" +
            args.map(xmlValue).join("") + "</arguments></invoke>";
    }
    const CALL_BODY = /^return \(([\s\S]*)\)\(\.\.\.arguments\);$/;
    const NativeFunction = window.Function;
    const CallFunction = function () {
        const match = arguments.length === 1 ? CALL_BODY.exec(String(arguments[0])) : null;
        if (!match) throw new EvalError("no script text is run here");
        const name = match[1];
        return function () {
            const args = Array.prototype.slice.call(arguments);
            if (HOST_CALLS[name] === true) return window[name].apply(null, args);
            return externalCall(flashCallRequest(name, args));
        };
    };
    CallFunction.prototype = NativeFunction.prototype;
    window.Function = CallFunction;
    // Nothing here talks to peers; the engine refuses it as well.
    ["RTCPeerConnection", "webkitRTCPeerConnection", "RTCDataChannel", "WebSocket",
     "EventSource"].forEach(function (name) { delete window[name]; });

    function text(value) {
        return value === undefined || value === null ? "" : String(value);
    }

    function report() {
        unreported = false;
        host.frameState(last.frame - 1, last.playing, seq);
    }

    // The control movie: ready once per load, then the root's frame on every tick.
    window.pelumoReady = function () {
        if (controlReady) return;
        controlReady = true;
        clearTimeout(fallback);
        host.movieReady(loadToken);
        if (stage) later("pelumoStage", stage);
    };
    // The movie is inside a call to the page until it returns: calls back into it wait.
    function later(name, args) {
        setTimeout(function () { call(name, args); }, 0);
    }
    window.pelumoTick = function (frame, total) {
        frame = Number(frame) || 0;
        total = Number(total) || 0;
        // The first report of a load knows from the program whether the movie plays. After
        // it, a timeline that stands still is stopped: the player stops one of a single
        // frame as it has run it, as the movie's own stop would.
        let playing = last.playing;
        if (frame !== last.frame && last.frame !== -1) playing = true;
        else if (frame === last.frame) playing = false;
        if (!loop && playing && total > 1 && frame === total) {
            later("pelumoStop");
            playing = false;
        }
        const changed = frame !== last.frame || playing !== last.playing || total !== last.total;
        last = { frame: frame, total: total, playing: playing };
        // After a call the program waits for a report that knows of it, news or not.
        if (changed || unreported) report();
    };

    // A callback of the movie; `args` is one argument or a list of them.
    function call(name, args) {
        if (!player) return;
        if (args === undefined) args = [];
        else if (!Array.isArray(args)) args = [args];
        try {
            if (typeof player[name] === "function") player[name].apply(player, args);
            else if (typeof player.ruffle === "function")
                player.ruffle().callExternalInterface.apply(player.ruffle(), [name].concat(args));
        } catch (e) {
            console.warn("frame call " + name + " failed: " + e);
        }
    }

    // The smallest movie: one empty frame. A page started ahead of need ("?warm") loads it
    // at once, so that the player's code is compiled before the page is taken.
    const WARM = PARAMS.has("warm");
    // The empty movie's load while it runs: a movie's load waits for it, or the player
    // would end up with two movies, the empty one in front.
    let warming = null;
    const EMPTY_MOVIE = new Uint8Array([0x46, 0x57, 0x53, 8, 17, 0, 0, 0, 0, 0, 24, 1, 0, 0x40, 0, 0, 0]);

    // WebGL where the system draws with it; otherwise the player would first try and
    // fail with every GPU renderer.
    const RENDERER = (function () {
        try {
            return document.createElement("canvas").getContext("webgl") ? "webgl" : "canvas";
        } catch (e) {
            return "canvas";
        }
    })();

    function createPlayer() {
        player = window.RufflePlayer.newest().createPlayer();
        player.id = "player";
        player.onFSCommand = function (command, args) {
            host.fsCommand(text(command), text(args));
            return true;
        };
        player.addEventListener("loadedmetadata", function () {
            if (window.pelumoPacer && player && player.metadata)
                window.pelumoPacer.setFrameRate(Number(player.metadata.frameRate) || 0);
            if (loadToken === 0) return; // the empty movie of the start
            host.movieStarted(loadToken);
            // The player goes on in the background only when it sees the page hidden;
            // a page hidden from its start never tells it.
            if (background && document.hidden) document.dispatchEvent(new Event("visibilitychange"));
            if (!withControl) window.pelumoReady();
        });
        document.getElementById("stage").appendChild(player);
        if (!WARM) return;
        warming = player.load({ data: EMPTY_MOVIE, preferredRenderer: RENDERER, splashScreen: false,
                                unmuteOverlay: "hidden", contextMenu: "off", logLevel: "error" })
            .catch(function () {})
            .then(function () { warming = null; });
    }

    // The pacer (pacer.js) runs the player at full pace again on every host call, and
    // tells when a movie's first frame is on the screen.
    function wakePlayer() {
        if (window.pelumoPacer) window.pelumoPacer.wake();
    }
    function reportFirstFrame(token) {
        if (!window.pelumoPacer) return;
        window.pelumoPacer.whenDrawn(function () {
            if (token === loadToken) host.movieDrawn(token);
        });
    }

    function load(token, url, options) {
        wakePlayer();
        loadToken = token;
        callUrl = new URL("pelumo-call", url).href;
        controlReady = false;
        stage = null;
        loop = options.loop !== false;
        withControl = options.control !== false;
        background = options.background === true;
        seq = options.seq || 0;
        last = { frame: -1, total: 0, playing: options.playing !== false };
        clearTimeout(fallback);
        document.body.style.background = options.wmode === "transparent" ? "transparent" : (options.backgroundColor || "transparent");
        if (!player) createPlayer();
        zoom(1, 0, 0);
        reportFirstFrame(token);
        const config = Object.assign({ preferredRenderer: RENDERER }, options.ruffle, { url: url });
        const target = player;
        const start = function () {
            if (token !== loadToken || player !== target) return; // another load came meanwhile
            player.load(config).catch(function (e) {
                if (token === loadToken) host.loadFailed(token, text(e && e.message));
            });
        };
        if (warming) warming.then(start);
        else start();
        // A movie that never reports its control movie still takes frame calls as no-ops.
        fallback = setTimeout(function () {
            if (token === loadToken && !controlReady) {
                controlReady = true;
                host.movieReady(token);
            }
        }, options.controlTimeout || 8000);
    }

    function unload() {
        loadToken++;
        clearTimeout(fallback);
        if (player) player.remove();
        player = null;
        createPlayer();
    }

    function frameCall(kind, frame, callSeq) {
        wakePlayer();
        seq = callSeq;
        unreported = true;
        if (kind === "goto") gotoAndStop(frame + 1);
        else if (kind === "play") call("pelumoPlay");
        else if (kind === "stop") call("pelumoStop");
        // What the call made the movie say came before this.
        host.frameDone(callSeq);
    }

    // The program knows where the movie stands after a goto: only a report that differs
    // from it is news.
    function gotoAndStop(frame1) {
        last = { frame: frame1, total: last.total, playing: false };
        call("pelumoGoto", frame1);
    }

    function hostCall(name, args, callSeq) {
        seq = callSeq;
        unreported = true;
        call(name, args);
    }

    // The program's questions to the movie: the host's callbacks in it, or an "<invoke>"
    // request for the movie's own; answered as the program waits for it.
    function movieCallback(name) {
        if (!player || !Object.prototype.hasOwnProperty.call(player, name) ||
            typeof player[name] !== "function") throw new Error("no callback " + name);
        return player[name];
    }
    function invoke(request) {
        const root = parseXml(request);
        if (!root || root.nodeName !== "invoke") throw new Error("not a request");
        const args = [];
        const list = root.getElementsByTagName("arguments")[0];
        if (list) for (const child of list.children) args.push(valueOfXml(child));
        return xmlValue(movieCallback(root.getAttribute("name")).apply(player, args));
    }
    function query(id, name, args) {
        wakePlayer();
        let ok = true;
        let value = null;
        try {
            value = name === "pelumoInvoke" ? invoke(args[0]) : movieCallback(name).apply(player, args);
        } catch (e) {
            ok = false;
        }
        host.queryAnswered(id, ok, value === undefined ? null : value);
    }

    // The view's zoom: the player `scale` times the stage's size, its corner at (x, y).
    function zoom(scale, x, y) {
        if (!player) return;
        wakePlayer();
        const s = player.style;
        if (scale === 1 && x === 0 && y === 0) {
            s.position = s.left = s.top = s.width = s.height = "";
            return;
        }
        s.position = "absolute";
        s.left = x + "px";
        s.top = y + "px";
        s.width = s.height = (scale * 100) + "%";
    }

    // Two frames that differ: the page's picture is sent again (to a new window).
    function redraw() {
        document.body.style.opacity = "0.99";
        requestAnimationFrame(function () {
            requestAnimationFrame(function () { document.body.style.opacity = ""; });
        });
    }

    // Settings the player takes while a movie plays.
    function applyProps(props) {
        loop = props.loop !== false;
        const config = player && typeof player.ruffle === "function" ? player.ruffle().loadedConfig : null;
        if (config) config.contextMenu = props.contextMenu;
        stage = props.stage;
        if (controlReady) call("pelumoStage", stage);
    }

    // The first sound output of the program takes the engine some 40 ms to set up, and
    // the player sets one up as it starts. The first page does it while the player's code
    // is still compiling.
    function primeAudio() {
        try {
            new AudioContext().close().catch(function () {});
        } catch (e) {
            // No sound here: the player copes without.
        }
    }

    function start() {
        new QWebChannel(qt.webChannelTransport, function (channel) {
            host = channel.objects.host;
            host.callRequested.connect(hostCall);
            host.propsRequested.connect(applyProps);
            host.redrawRequested.connect(redraw);
            host.queryRequested.connect(query);
            host.zoomRequested.connect(zoom);
            host.loadRequested.connect(load);
            host.unloadRequested.connect(unload);
            host.frameRequested.connect(frameCall);
            host.focusRequested.connect(function () {
                wakePlayer();
                if (player) player.focus();
            });
            // The player's script came with the page (host.html), after this one.
            if (!window.RufflePlayer || typeof window.RufflePlayer.newest !== "function") {
                host.loadFailed(-1, "player script missing");
                return;
            }
            createPlayer();
            host.pageReady();
            if (PARAMS.has("prime")) setTimeout(primeAudio, 0);
        });
    }

    // Read by the player's script as it loads: it must not look for embeds of its own.
    window.RufflePlayer = window.RufflePlayer || {};
    window.RufflePlayer.config = { polyfills: false };

    if (document.readyState === "loading") document.addEventListener("DOMContentLoaded", start);
    else start();
})();
