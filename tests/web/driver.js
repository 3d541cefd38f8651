// One program on the test page, driven as a player drives it: the mouse pressed at a
// control's centre and keys, both as real input through the DevTools protocol; read back
// from the page and from its accessibility tree. What tests/support/driver.h asks of
// every backend's driver, for the scenarios (conformance.js) and the monkey (monkey.js).
'use strict';

const kAway = {x: 2, y: 2};  // a corner of the page, far from the window

class PageGame {
  static async open(browser, url) {
    const page = await browser.newPage();
    await page.setViewport({width: 400, height: 300});
    const cdp = await page.createCDPSession();
    const game = new PageGame(page, cdp);
    page.on('console', (m) => game.console.push(m.text()));
    page.on('pageerror', (e) => game.console.push(String(e)));
    page.on('request', (r) => game.requests.push(r.url()));
    // What the page shows as it closes comes through this binding (test_page.js).
    await cdp.send('Runtime.enable');
    await cdp.send('Runtime.addBinding', {name: 'vopReport'});
    cdp.on('Runtime.bindingCalled', (e) => {
      if (e.name === 'vopReport') game.report = JSON.parse(e.payload);
    });
    await page.goto(url);
    await page.waitForFunction(() => window.vopTest !== undefined, {timeout: 10000});
    return game;
  }

  constructor(page, cdp) {
    this.page = page;
    this.cdp = cdp;
    this.console = [];
    this.requests = [];
    this.report = null;   // from the page as it closed
    this.closed = false;
    this.place = null;    // where the window is in the page: it never moves
    this.faults = [];     // what went wrong beside the scenario's own expectations
    // A "Win" box opened: what it showed; says how to close it (by default: Enter).
    this.onBox = async () => 'Enter';
  }

  run(f, ...args) {
    return this.page.evaluate(f, ...args);
  }

  // --- What the player does.
  async start() {
    await this.run(() => vopTest.start());
    await this.acted();
  }

  async mouse(type, at, clickCount, pressed) {
    await this.cdp.send('Input.dispatchMouseEvent', {
      type, x: at.x, y: at.y, clickCount,
      button: pressed || type !== 'mouseMoved' ? 'left' : 'none', buttons: pressed ? 1 : 0,
    });
  }

  async centre(selector) {
    const at = await this.run((s) => {
      const e = document.querySelector(s);
      if (!e) return null;
      const r = e.getBoundingClientRect();
      return {x: r.x + r.width / 2, y: r.y + r.height / 2};
    }, selector);
    if (!at) throw new Error(`the page has no ${selector}`);
    return at;
  }

  static selector(name) {
    return `[id="${name}"]`;
  }

  // A press and release at the control's centre; count 2: the second press of a double click.
  async click(name, count = 1, inBox = false) {
    const at = await this.centre(PageGame.selector(name));
    await this.mouse('mousePressed', at, count, true);
    await this.mouse('mouseReleased', at, count, false);
    if (!inBox) await this.acted();
  }

  async dragOff(name, inBox = false) {
    const at = await this.centre(PageGame.selector(name));
    await this.mouse('mousePressed', at, 1, true);
    await this.mouse('mouseMoved', kAway, 0, true);
    await this.mouse('mouseReleased', kAway, 1, false);
    if (!inBox) await this.acted();
  }

  // Tab, Shift+Tab, Space, Enter, Escape, F5: as the scenarios name them.
  async press(key, inBox = false) {
    const keyboard = this.page.keyboard;
    if (key === 'Shift+Tab') {
      await keyboard.down('Shift');
      await keyboard.press('Tab');
      await keyboard.up('Shift');
    } else {
      await keyboard.press(key === 'Space' ? ' ' : key);
    }
    if (!inBox) await this.acted();
  }

  // The player closes the page, as closing the window: the page says as it goes what it
  // showed then.
  async closeWindow() {
    await this.page.close({runBeforeUnload: true});
    const deadline = Date.now() + 5000;
    while (!this.report && Date.now() < deadline) {
      await new Promise((resolve) => setTimeout(resolve, 10));
    }
    if (!this.report) throw new Error('the page closed without a word');
    this.closed = true;
  }

  // An action in the words of the scenarios: "click btnCard(2)", "press Tab" ...
  async perform(action, inBox = false) {
    const [verb, what] = action.split(' ');
    if (verb === 'click') return this.click(what, 1, inBox);
    if (verb === 'second-click') return this.click(what, 2, inBox);
    if (verb === 'drag-off') return this.dragOff(what, inBox);
    if (verb === 'press') return this.press(what, inBox);
    throw new Error(`no action is called ${action}`);
  }

  // After each action: the window has not moved in the page nor scrolled, and a box that
  // opened is closed the way onBox says, after which the game goes on.
  async acted() {
    const seen = await this.run(() => {
      const form = document.querySelector('.vop-form');
      const box = document.querySelector('.vop-box');
      const r = form.getBoundingClientRect();
      return {
        place: `${r.x},${r.y} ${r.width}x${r.height}`,
        scrolled: form.scrollLeft + form.scrollTop + window.scrollX + window.scrollY,
        open: box.open,
        title: box.querySelector('.vop-box-title').textContent,
        text: box.querySelector('p').textContent,
        buttons: box.querySelectorAll('button').length,
      };
    });
    if (this.place === null) this.place = seen.place;
    if (seen.place !== this.place || seen.scrolled) {
      this.faults.push(`the window moved or scrolled: ${seen.place} (${seen.scrolled}), was ${this.place}`);
      this.place = seen.place;
    }
    if (!seen.open) return;
    const way = await this.onBox({title: seen.title, text: seen.text, buttons: seen.buttons});
    if (way === 'close-window') return this.closeWindow();
    if (way === 'OK') {
      const at = await this.centre('.vop-box button');
      await this.mouse('mousePressed', at, 1, true);
      await this.mouse('mouseReleased', at, 1, false);
    } else {
      await this.press(way, true);
    }
    await this.page.waitForFunction(() => vopTest.idle(), {timeout: 5000});
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

  // What a screen reader is told: the accessibility tree's node of the element.
  async heard(name) {
    this.gone();
    const {result} = await this.cdp.send('Runtime.evaluate',
                                         {expression: `document.getElementById(${JSON.stringify(name)})`});
    const {nodes} = await this.cdp.send('Accessibility.getPartialAXTree',
                                        {objectId: result.objectId, fetchRelatives: false});
    return nodes[0];
  }

  async spokenName(name) {
    const node = await this.heard(name);
    return node.name ? node.name.value : '';
  }

  async spokenDescription(name) {
    const node = await this.heard(name);
    return node.description ? node.description.value : '';
  }

  async close() {
    if (!this.closed) await this.page.close();
  }
}

module.exports = {PageGame};
