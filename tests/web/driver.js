// One program on the test page, driven as a player drives it: mouse, touch and keys as real
// input through the DevTools protocol; read back from the page, its pixels and its
// accessibility tree. The conformance program (web_driver.cpp) and the monkey (monkey.js)
// drive the page through it; actions are named in the scenarios' words ("click btnCard(2)",
// "press Shift+Tab", "hold Enter 3", "burst click btnCard(0) press Tab").
'use strict';
const {PNG} = require('pngjs');

// Keys as the DevTools protocol types them.
const kKeys = {
  'Tab': {key: 'Tab', code: 'Tab', windowsVirtualKeyCode: 9},
  'Shift+Tab': {key: 'Tab', code: 'Tab', windowsVirtualKeyCode: 9, modifiers: 8},
  'Space': {key: ' ', code: 'Space', windowsVirtualKeyCode: 32, text: ' '},
  'Enter': {key: 'Enter', code: 'Enter', windowsVirtualKeyCode: 13, text: '\r'},
  'Escape': {key: 'Escape', code: 'Escape', windowsVirtualKeyCode: 27},
  'F5': {key: 'F5', code: 'F5', windowsVirtualKeyCode: 116},
};
const kShift = {key: 'Shift', code: 'ShiftLeft', windowsVirtualKeyCode: 16, modifiers: 8};
const kButtons = {left: 1, right: 2, middle: 4};
// How long a wait for the page may last before it is a fault: a bound, not a guess at how
// fast the machine is, so a loaded machine only takes longer.
const kFaultMs = 60000;

// A PNG's pixels as 0xRRGGBB, row by row (pngjs reads every kind of PNG as RGBA).
function decodePng(png) {
  const {width, height, data} = PNG.sync.read(png);
  const pixels = new Uint32Array(width * height);
  for (let i = 0; i < pixels.length; ++i) pixels[i] = (data[4 * i] << 16) | (data[4 * i + 1] << 8) | data[4 * i + 2];
  return {width, height, pixels};
}

class PageGame {
  // viewport: the page's size in CSS pixels and its device pixel ratio; touch: a touch screen.
  static async open(browser, url, {viewport = {width: 400, height: 300}, touch = false} = {}) {
    const page = await browser.newPage();
    await page.setViewport({...viewport, hasTouch: touch});
    const cdp = await page.createCDPSession();
    const game = new PageGame(page, cdp, url, touch);
    page.on('console', (m) => game.console.push(m.text()));
    page.on('pageerror', (e) => game.console.push(String(e)));
    page.on('request', (r) => game.requests.push(r.url()));
    // What the page shows as it closes comes through this binding (test_page.js), listened
    // to before the page can close.
    await cdp.send('Runtime.enable');
    await cdp.send('Runtime.addBinding', {name: 'vopReport'});
    game.reported = new Promise((resolve) => cdp.on('Runtime.bindingCalled', (e) => {
      if (e.name !== 'vopReport') return;
      game.report = JSON.parse(e.payload);
      resolve();
    }));
    await page.goto(url);
    // The test page waits for its deal; the site deals at once.
    await page.waitForFunction(() => window.vopTest !== undefined || document.title !== 'Vop',
                               {timeout: kFaultMs});
    return game;
  }

  constructor(page, cdp, url, touch) {
    this.page = page;
    this.cdp = cdp;
    this.origin = new URL(url).origin;
    this.touch = touch;   // taps instead of the mouse's left button
    this.console = [];
    this.requests = [];
    this.report = null;   // from the page as it closed
    this.closed = false;
    this.where = null;    // where the window is in the page: it never moves
    this.picture = null;  // the window's pixels, until the next input
    this.shownBox = null; // the box the last action opened
    this.faults = [];     // what went wrong beside the scenario's own expectations
  }

  run(f, ...args) {
    return this.page.evaluate(f, ...args);
  }

  // --- What the player does.
  async start() {
    await this.run(() => vopTest.start());
    await this.acted();
  }

  // The window's client area in the page (CSS pixels) and how many CSS pixels one of its
  // own pixels takes.
  async frame() {
    return this.run(() => {
      const form = document.querySelector('.vop-form');
      const r = form.getBoundingClientRect();
      return {x: r.x, y: r.y, width: r.width, height: r.height, scale: r.width / parseFloat(form.style.width),
              ratio: window.devicePixelRatio};
    });
  }

  async rectOf(name) {
    const r = await this.run((n) => {
      const e = document.getElementById(n);
      return e ? e.getBoundingClientRect().toJSON() : null;
    }, name);
    if (!r) throw new Error(`the page has no ${name}`);
    return r;
  }

  async centre(name) {
    const r = await this.rectOf(name);
    return {x: r.x + r.width / 2, y: r.y + r.height / 2};
  }

  // Where a click lands that hits no control, by the window's own pixels: between the ground
  // and the first slot, or on the title bar.
  async spot(which) {
    const f = await this.frame();
    const [x, y] = which === 'background' ? [20.5, 16.5] : [60.5, -6.5];
    return {x: f.x + x * f.scale, y: f.y + y * f.scale};
  }

  mouse(type, at, {button = 'left', clickCount = 1, pressed = false} = {}) {
    return this.cdp.send('Input.dispatchMouseEvent', {
      type, x: at.x, y: at.y, clickCount, button: pressed || type !== 'mouseMoved' ? button : 'none',
      buttons: pressed ? kButtons[button] : 0,
    });
  }

  // A press and release there: with the mouse, or a tap on a touch screen (`tap`).
  press(at, {button = 'left', clickCount = 1, tap = this.touch} = {}) {
    if (tap && button === 'left') {
      const point = {x: at.x, y: at.y, id: 0};
      return [
        this.cdp.send('Input.dispatchTouchEvent', {type: 'touchStart', touchPoints: [point]}),
        this.cdp.send('Input.dispatchTouchEvent', {type: 'touchEnd', touchPoints: []}),
      ];
    }
    return [
      this.mouse('mousePressed', at, {button, clickCount, pressed: true}),
      this.mouse('mouseReleased', at, {button, clickCount}),
    ];
  }

  // The events of a key: down (repeated `repeats` times, as a held key repeats) and up.
  key(name, repeats = 0) {
    const k = kKeys[name];
    if (!k) throw new Error(`no key is called ${name}`);
    const down = {...k, type: k.text ? 'keyDown' : 'rawKeyDown'};
    const events = [];
    if (k.modifiers) events.push({...kShift, type: 'rawKeyDown'});
    events.push(down);
    for (let i = 0; i < repeats; ++i) events.push({...down, autoRepeat: true});
    events.push({...k, type: 'keyUp', text: undefined});
    if (k.modifiers) events.push({...kShift, type: 'keyUp', modifiers: 0});
    return events.map((e) => this.cdp.send('Input.dispatchKeyEvent', e));
  }

  // An action in the scenarios' words; every input event of it is sent before any is
  // awaited, so that a burst reaches the page queued.
  async perform(action) {
    if (this.closed) throw new Error(`${action}: the page is closed`);
    const w = action.split(' ');
    this.picture = null;
    let sent = [];
    const verb = w[0];
    if (verb === 'click' || verb === 'second-click') {
      sent = this.press(await this.centre(w[1]), {clickCount: verb === 'click' ? 1 : 2});
    } else if (verb === 'right-click' || verb === 'middle-click') {
      sent = this.press(await this.centre(w[1]), {button: verb.split('-')[0]});
    } else if (verb === 'click-background' || verb === 'click-frame') {
      sent = this.press(await this.spot(verb.split('-')[1]));
    } else if (verb === 'drag-off') {
      const at = await this.centre(w[1]);
      const away = {x: 2, y: 2};  // a corner of the page, far from the window
      sent = [this.mouse('mousePressed', at, {pressed: true}), this.mouse('mouseMoved', away, {pressed: true}),
              this.mouse('mouseReleased', away)];
    } else if (verb === 'press') {
      sent = this.key(w[1]);
    } else if (verb === 'hold') {
      sent = this.key(w[1], Number(w[2]));
    } else if (verb === 'burst') {
      // Where each click lands is known before the first is sent.
      const at = {};
      for (let i = 1; i + 1 < w.length; i += 2) {
        if (w[i] === 'click') at[w[i + 1]] = await this.centre(w[i + 1]);
      }
      // With the mouse even on a touch screen: the browser orders a tap with the keys
      // only once it has made the tap a click, which a quick hand's order does not wait for.
      for (let i = 1; i + 1 < w.length; i += 2) {
        sent.push(...(w[i] === 'click' ? this.press(at[w[i + 1]], {tap: false}) : this.key(w[i + 1])));
      }
    } else {
      throw new Error(`no action is called ${action}`);
    }
    await Promise.all(sent);
    await this.acted();
  }

  // The player closes the page, as closing the window: the page says as it goes what it
  // showed then.
  async closeWindow() {
    await this.page.close({runBeforeUnload: true});
    let bound;
    const silent = new Promise((resolve) => { bound = setTimeout(resolve, kFaultMs); });
    await Promise.race([this.reported, silent]);
    clearTimeout(bound);
    if (!this.report) throw new Error('the page closed without a word');
    this.closed = true;
  }

  // After each action the window has neither moved in the page nor scrolled; and what the
  // "Win" box shows, if the action opened it.
  async acted() {
    this.shownBox = null;
    if (this.closed) return;
    const seen = await this.run(() => {
      const r = document.querySelector('.vop-form').getBoundingClientRect();
      const box = document.querySelector('.vop-box');
      return {
        where: `${r.x},${r.y} ${r.width}x${r.height}`,
        scrolled: window.scrollX + window.scrollY,
        box: box.open ? {title: box.querySelector('.vop-box-title').textContent,
                         text: box.querySelector('.vop-box-text').textContent,
                         buttons: box.querySelectorAll('button').length} : null,
      };
    });
    if (this.where === null) this.where = seen.where;
    if (seen.where !== this.where || seen.scrolled) {
      this.faults.push(`the window moved or scrolled: ${seen.where} (${seen.scrolled}), was ${this.where}`);
      this.where = seen.where;
    }
    this.shownBox = seen.box;
  }

  // The "Win" box if the last action opened it: what it shows.
  box() {
    return this.shownBox;
  }

  // Closes the open box: by a key, a click on OK ("OK") or closing the page
  // ("close-window"); then the game goes on. The page's box has no close box of its own,
  // and Alt+F4 belongs to the browser: a page's dialog takes a request to close as Escape.
  async closeBox(way) {
    this.picture = null;
    if (way === 'close-window') return this.closeWindow();
    if (way === 'close-box' || way === 'Alt+F4') way = 'Escape';
    if (way === 'OK') {
      await Promise.all(this.press(await this.centre('vop-box-ok')));
    } else {
      await Promise.all(this.key(way));
    }
    await this.page.waitForFunction(() => vopTest.idle(), {timeout: kFaultMs});
  }

  // --- What the window shows.
  gone() {
    if (this.closed) throw new Error('the page is closed: it shows nothing');
  }

  async title() {
    this.gone();
    return this.page.title();
  }

  async focus() {
    this.gone();
    return this.run(() => {
      const e = document.activeElement;
      return e && e.closest('.vop-form') ? e.id : 'none';
    });
  }

  async ended() {
    if (this.closed) return this.report.ended;
    return this.run(() => {
      const status = document.querySelector('.vop-status');
      return document.querySelector('.vop-form').inert && !status.hidden &&
             !status.classList.contains('vop-error');
    });
  }

  async drawsLeft() {
    if (this.closed) return this.report.drawsLeft;
    return this.run(() => vopTest.drawsLeft());
  }

  async caption(name) {
    this.gone();
    return this.run((n) => document.getElementById(n).textContent, name);
  }

  async enabled(name) {
    this.gone();
    return this.run((n) => {
      const e = document.getElementById(n);
      return e instanceof HTMLButtonElement ? !e.disabled : e.getAttribute('aria-disabled') !== 'true';
    }, name);
  }

  // Where the control is in the window's client area, in the window's own pixels.
  async place(name) {
    this.gone();
    const f = await this.frame();
    const r = await this.rectOf(name);
    return [r.x - f.x, r.y - f.y, r.width, r.height].map((v) => Math.round(v / f.scale));
  }

  // The pixels the page shows of a control's own area: its rectangle less the pixel of the
  // window it shares with its right and lower neighbours, and less what lies outside the
  // client area.
  async pixels(name) {
    this.gone();
    const f = await this.frame();
    if (!this.picture) {
      // The whole page, so that every place is where the page's own coordinates say.
      const {data} = await this.cdp.send('Page.captureScreenshot', {format: 'png', fromSurface: true});
      this.picture = decodePng(Buffer.from(data, 'base64'));
    }
    const r = await this.rectOf(name);
    const device = f.ratio;
    const one = f.scale * device;  // device pixels of one window pixel
    const left = Math.round(r.x * device);
    const top = Math.round(r.y * device);
    const right = Math.min(Math.round((f.x + f.width) * device), Math.round((r.x + r.width) * device - one));
    const bottom = Math.min(Math.round((f.y + f.height) * device), Math.round((r.y + r.height) * device - one));
    const width = Math.max(0, right - left);
    const height = Math.max(0, bottom - top);
    const pixels = new Uint32Array(width * height);
    for (let y = 0; y < height; ++y) {
      const from = (top + y) * this.picture.width + left;
      pixels.set(this.picture.pixels.subarray(from, from + width), y * width);
    }
    return {width, height, pixels};
  }

  async language() {
    this.gone();
    return this.run(() => navigator.language);
  }

  // What a screen reader is told: the accessibility tree's node of the element (by its id,
  // or the window's frame).
  async heard(name) {
    this.gone();
    const element = name ? `document.getElementById(${JSON.stringify(name)})` : `document.querySelector('#vop > .vop-window')`;
    const {result} = await this.cdp.send('Runtime.evaluate', {expression: element});
    const {nodes} = await this.cdp.send('Accessibility.getPartialAXTree',
                                        {objectId: result.objectId, fetchRelatives: false});
    return nodes[0];
  }

  async spokenName(name) {
    const node = await this.heard(name);
    return node.name ? node.name.value : '';
  }

  async spokenWindowName() { return this.spokenName(null); }

  async spokenDescription(name) {
    const node = await this.heard(name);
    return node.description ? node.description.value : '';
  }

  // Closes the page; what went wrong beside the scenario: a word on the console, an address
  // elsewhere asked for, the window moved.
  async close() {
    if (!this.closed) await this.page.close();
    this.closed = true;
    const foreign = this.requests.filter((u) => !u.startsWith(this.origin + '/') && !u.startsWith('data:'));
    return this.faults.concat(this.console.length ? [`the console: ${this.console.join(' | ')}`] : [],
                              foreign.length ? [`other addresses asked for: ${foreign.join(' ')}`] : []);
  }
}

module.exports = {PageGame, decodePng, kFaultMs};
