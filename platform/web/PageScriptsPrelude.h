// The browser objects of a page, written in JavaScript over the page's natives. It runs once per
// engine as a function of (natives, global) and returns the functions the page calls into:
// dispatch(serial, type, x, y), load() and runTimer(id).
#pragma once

namespace platform::web {

inline constexpr const char* kPageScriptsPrelude = R"JS((function (N, G) {
var cache = {};
var ElementProto = {};
var timers = {};
var statusText = '';

function wrap(s) {
    if (!s) return null;
    var o = cache[s];
    if (o) return o;
    o = Object.create(ElementProto);
    Object.defineProperty(o, '__s', { value: s });
    o.style = styleOf(N.attr(s, 'style'));
    var attrs = N.attrs(s);
    for (var i = 0; i + 1 < attrs.length; i += 2) {
        var name = attrs[i];
        if (!(name in o) && name.slice(0, 2) !== 'on') o[name] = attrs[i + 1];
    }
    cache[s] = o;
    return o;
}

// The style attribute as a property bag: "font-size: 9pt" becomes style.fontSize.
function styleOf(text) {
    var style = {};
    if (text === null) return style;
    var rules = text.split(';');
    for (var i = 0; i < rules.length; i++) {
        var colon = rules[i].indexOf(':');
        if (colon < 0) continue;
        var name = rules[i].slice(0, colon).trim().toLowerCase()
            .replace(/-([a-z])/g, function (m, c) { return c.toUpperCase(); });
        if (name) style[name] = rules[i].slice(colon + 1).trim();
    }
    return style;
}

function list(serials) {
    var a = [];
    for (var i = 0; i < serials.length; i++) {
        var e = wrap(serials[i]);
        a.push(e);
        var keys = [N.attr(serials[i], 'id'), N.attr(serials[i], 'name')];
        for (var k = 0; k < 2; k++) {
            var key = keys[k];
            if (key && isNaN(+key) && !(key in a)) a[key] = e;
        }
    }
    Object.defineProperty(a, 'item', { value: function (i) {
        if (i === undefined) return null;
        var found = this[typeof i === 'number' ? i : String(i)];
        return found === undefined ? null : found;
    } });
    Object.defineProperty(a, 'tags', { value: function (t) {
        t = String(t).toLowerCase();
        return list(serials.filter(function (s) { return N.tag(s) === t; }));
    } });
    return a;
}

function accessor(target, name, get, set) {
    Object.defineProperty(target, name, { get: get, set: set || function () {}, configurable: true });
}

function attributeAccessor(name, attribute, resolved) {
    accessor(ElementProto, name, function () {
        if (resolved) return N.resolvedAttr(this.__s, attribute);
        var v = N.attr(this.__s, attribute);
        return v === null ? '' : v;
    }, function (v) { N.setAttr(this.__s, attribute, String(v)); });
}

accessor(ElementProto, 'tagName', function () { return N.tagName(this.__s); });
accessor(ElementProto, 'nodeName', function () { return N.tagName(this.__s); });
accessor(ElementProto, 'innerHTML', function () { return N.innerHTML(this.__s); },
         function (v) { N.setInnerHTML(this.__s, String(v)); });
accessor(ElementProto, 'outerHTML', function () { return N.outerHTML(this.__s); });
accessor(ElementProto, 'innerText', function () { return N.innerText(this.__s); },
         function (v) { N.setInnerText(this.__s, String(v)); });
accessor(ElementProto, 'parentNode', function () { return wrap(N.parent(this.__s)); });
accessor(ElementProto, 'parentElement', function () { return wrap(N.parent(this.__s)); });
accessor(ElementProto, 'children', function () { return list(N.children(this.__s)); });
accessor(ElementProto, 'all', function () { return list(N.byTag('*', this.__s)); });
attributeAccessor('id', 'id');
attributeAccessor('className', 'class');
attributeAccessor('title', 'title');
attributeAccessor('name', 'name');
attributeAccessor('value', 'value');
attributeAccessor('target', 'target');
attributeAccessor('alt', 'alt');
attributeAccessor('src', 'src', true);
attributeAccessor('href', 'href', true);

ElementProto.getAttribute = function (name) { return N.attr(this.__s, String(name).toLowerCase()); };
ElementProto.setAttribute = function (name, value) {
    name = String(name).toLowerCase();
    value = String(value);
    N.setAttr(this.__s, name, value);
    if (name.slice(0, 2) === 'on') delete this[name];
    else if (Object.prototype.hasOwnProperty.call(this, name) && name !== 'style') this[name] = value;
};
ElementProto.removeAttribute = function (name) { N.removeAttr(this.__s, String(name).toLowerCase()); };
ElementProto.getElementsByTagName = function (t) { return list(N.byTag(String(t), this.__s)); };
ElementProto.click = function () {
    if (!dispatch(this.__s, 'click', 0, 0)) N.defaultClick(this.__s);
};
ElementProto.toString = function () { return '[object HTMLElement]'; };

function handlerOf(o, type) {
    var h = o['on' + type];
    if (typeof h === 'function') return h;
    var code = N.attr(o.__s, 'on' + type);
    if (code === null) return null;
    try {
        h = new Function('event', code);
    } catch (e) {
        N.error(e);
        return null;
    }
    o['on' + type] = h;
    return h;
}

function dispatch(s, type, x, y) {
    var target = wrap(s);
    if (!target) return false;
    var ev = { type: type, srcElement: target, target: target, returnValue: undefined,
               cancelBubble: false, clientX: x, clientY: y, x: x, y: y,
               button: type === 'click' ? 1 : 0 };
    ev.preventDefault = function () { ev.returnValue = false; };
    ev.stopPropagation = function () { ev.cancelBubble = true; };
    var cancelValue = type === 'mouseover';
    var cancelled = false;
    var saved = G.event;
    G.event = ev;
    try {
        for (var n = s; n && !ev.cancelBubble; n = N.parent(n)) {
            var o = wrap(n);
            var h = handlerOf(o, type);
            if (!h) continue;
            try {
                if (h.call(o, ev) === cancelValue) cancelled = true;
            } catch (e) {
                N.error(e);
            }
        }
        var d = G.document['on' + type];
        if (!ev.cancelBubble && typeof d === 'function') {
            try {
                if (d.call(G.document, ev) === cancelValue) cancelled = true;
            } catch (e) {
                N.error(e);
            }
        }
    } finally {
        G.event = saved;
    }
    return cancelled || ev.returnValue === false;
}

function load() {
    var body = wrap(N.body());
    var h = body ? handlerOf(body, 'load') : null;
    if (!h && typeof G.onload === 'function') h = G.onload;
    if (h) h.call(G, { type: 'load' });
}

function runTimer(id) {
    var t = timers[id];
    if (!t) return;
    if (!t[2]) delete timers[id];
    if (typeof t[0] === 'function') t[0].apply(G, t[1]);
    else (0, eval)(String(t[0]));
}

function addTimer(repeat, args) {
    var id = N.addTimer(+args[1] || 0, repeat);
    timers[id] = [args[0], Array.prototype.slice.call(args, 2), repeat];
    return id;
}

function clearTimer(id) {
    delete timers[id];
    N.removeTimer(+id || 0);
}

var location = {};
accessor(location, 'href', function () { return N.url(); }, function (v) { N.navigate(String(v)); });
location.toString = function () { return N.url(); };
location.assign = function (u) { N.navigate(String(u)); };
location.replace = location.assign;
location.reload = function () { N.navigate(N.url()); };

var doc = {};
accessor(doc, 'title', function () { return N.title(); }, function (v) { N.setTitle(String(v)); });
accessor(doc, 'body', function () { return wrap(N.body()); });
accessor(doc, 'documentElement', function () { return wrap(N.documentElement()); });
accessor(doc, 'all', function () { return list(N.collection('all')); });
accessor(doc, 'images', function () { return list(N.collection('images')); });
accessor(doc, 'links', function () { return list(N.collection('links')); });
accessor(doc, 'anchors', function () { return list(N.collection('anchors')); });
accessor(doc, 'forms', function () { return list(N.collection('forms')); });
accessor(doc, 'location', function () { return location; }, function (v) { N.navigate(String(v)); });
accessor(doc, 'URL', function () { return N.url(); });
accessor(doc, 'charset', function () { return N.charset(); }, function (v) { N.setCharset(String(v)); });
accessor(doc, 'readyState', function () { return N.readyState(); });
doc.write = function () {
    var text = '';
    for (var i = 0; i < arguments.length; i++) text += String(arguments[i]);
    N.write(text);
};
doc.writeln = function () {
    doc.write.apply(doc, arguments);
    N.write('\n');
};
doc.open = function () { N.openDocument(); return doc; };
doc.close = function () { N.closeDocument(); };
doc.getElementById = function (id) { return wrap(N.byId(String(id))); };
doc.getElementsByTagName = function (t) { return list(N.byTag(String(t), 0)); };

var external = new Proxy({}, {
    get: function (t, name) {
        if (typeof name !== 'string') return undefined;
        var r = N.externalGet(name);
        if (r.method) return function () { return N.externalCall(name, Array.prototype.slice.call(arguments)); };
        return r.value;
    },
    set: function (t, name, v) { N.externalPut(String(name), v); return true; }
});

Object.defineProperty(G, 'status', { get: function () { return statusText; },
    set: function (v) { statusText = String(v); N.status(statusText); } });
Object.defineProperty(G, 'location', { get: function () { return location; },
    set: function (v) { N.navigate(String(v)); } });
Object.defineProperty(G, 'document', { value: doc });
Object.defineProperty(G, 'external', { value: external });
G.window = G.self = G.top = G.parent = G;
G.defaultStatus = '';
G.navigator = { userAgent: 'Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)',
                appName: 'Microsoft Internet Explorer',
                appVersion: '4.0 (compatible; MSIE 6.0; Windows NT 5.1)', platform: 'Win32' };
G.open = function (url, name) {
    N.open(url === undefined ? '' : String(url), name === undefined ? '' : String(name));
    return null;
};
G.close = function () { N.close(); };
G.alert = function (text) { N.alert(text === undefined ? '' : String(text)); };
G.confirm = function (text) { return N.confirm(text === undefined ? '' : String(text)); };
G.setTimeout = function () { return addTimer(false, arguments); };
G.setInterval = function () { return addTimer(true, arguments); };
G.clearTimeout = clearTimer;
G.clearInterval = clearTimer;
G.event = null;

return { dispatch: dispatch, load: load, runTimer: runTimer };
}))JS";

}  // namespace platform::web
