// The page's side of the web window (web/web_runtime.cpp): the window drawn as a
// desktop draws it, frame and title bar included, scaled by whole device pixels to fit the
// page; its letters in pixel fonts of its own, so that they stay crisp and in their full
// colour at every scale; and the page's events handed to the runtime. Built into the
// program's JavaScript by the linker (--js-library).
mergeInto(LibraryManager.library, {
  $VopWeb: {
    page: null,      // the window's place in the page, as large as the window is drawn
    frame: null,     // the window: frame, title bar and client area, at its own pixels
    title: null,
    bar: null,       // the window's title bar where the installed app's window has none of
                     // its own (Window Controls Overlay): the title moves into it
    form: null,      // the client area
    controls: [],    // by place: the element of each control
    box: null,
    status: null,
    live: null,      // what a screen reader announces as it changes
    alive: true,     // until "E", a closed page or a run-time error
    leaving: false,  // the page is being left or closed
    boxOpen: false,  // the page is modal: nothing reaches the game

    // The window's own pixels: frame, title bar and client area, as laid out below.
    kFrame: 3,
    kTitle: 13,

    // Two pixel fonts: "small" for the grid (a face of about 7 pixels a line) and "big"
    // for buttons, titles and the box. A glyph is its first row in the line and its rows,
    // "#" ink; a big line is 11 rows, capitals in rows 2 to 8. The site's build makes
    // fonts of the page's own from them (pixel_font.py), which the page draws the text in.
    fonts: {
      small: {
        ' ': [0, '.'],
        'A': [0, '.##./#..#/####/#..#/#..#'], '2': [0, '###./...#/.##./#.../####'],
        '3': [0, '###./...#/.##./...#/###.'], '4': [0, '#..#/#..#/####/...#/...#'],
        '5': [0, '####/#.../###./...#/###.'], '6': [0, '.##./#.../###./#..#/.##.'],
        '7': [0, '####/...#/..#./.#../.#..'], '8': [0, '.##./#..#/.##./#..#/.##.'],
        '9': [0, '.##./#..#/.###/...#/.##.'], 'T': [0, '###/.#./.#./.#./.#.'],
        'J': [0, '..#/..#/..#/#.#/.#.'], 'Q': [0, '.##./#..#/#..#/#.#./.#.#'],
        'K': [0, '#..#/#.#./##../#.#./#..#'], 'S': [0, '.###/#.../.##./...#/###.'],
        'H': [0, '#..#/#..#/####/#..#/#..#'], 'D': [0, '###./#..#/#..#/#..#/###.'],
        'C': [0, '.###/#.../#.../#.../.###'],
      },
      big: {
        ' ': [2, '..'],
        'A': [2, '.###./#...#/#...#/#####/#...#/#...#/#...#'],
        'C': [2, '.###./#...#/#..../#..../#..../#...#/.###.'],
        'D': [2, '####./#...#/#...#/#...#/#...#/#...#/####.'],
        'E': [2, '#####/#..../#..../####./#..../#..../#####'],
        'H': [2, '#...#/#...#/#...#/#####/#...#/#...#/#...#'],
        'J': [2, '..###/...#./...#./...#./...#./#..#./.##..'],
        'K': [2, '#...#/#..#./#.#../##.../#.#../#..#./#...#'],
        'N': [2, '#...#/##..#/##..#/#.#.#/#..##/#..##/#...#'],
        'O': [2, '.###./#...#/#...#/#...#/#...#/#...#/.###.'],
        'Q': [2, '.###./#...#/#...#/#...#/#.#.#/#..#./.##.#'],
        'S': [2, '.###./#...#/#..../.###./....#/#...#/.###.'],
        'T': [2, '#####/..#../..#../..#../..#../..#../..#..'],
        'V': [2, '#...#/#...#/#...#/#...#/#...#/.#.#./..#..'],
        'W': [2, '#...#/#...#/#...#/#.#.#/#.#.#/#.#.#/.#.#.'],
        '0': [2, '.###./#...#/#..##/#.#.#/##..#/#...#/.###.'],
        '1': [2, '..#../.##../..#../..#../..#../..#../.###.'],
        '2': [2, '.###./#...#/....#/...#./..#../.#.../#####'],
        '3': [2, '#####/...#./..#../...#./....#/#...#/.###.'],
        '4': [2, '...#./..##./.#.#./#..#./#####/...#./...#.'],
        '5': [2, '#####/#..../####./....#/....#/#...#/.###.'],
        '6': [2, '..##./.#.../#..../####./#...#/#...#/.###.'],
        '7': [2, '#####/....#/...#./..#../.#.../.#.../.#...'],
        '8': [2, '.###./#...#/#...#/.###./#...#/#...#/.###.'],
        '9': [2, '.###./#...#/#...#/.####/....#/...#./.##..'],
        'i': [2, '#/./#/#/#/#/#'],
        'n': [4, '#.##./##..#/#...#/#...#/#...#'],
        'o': [4, '.###./#...#/#...#/#...#/.###.'],
        'p': [4, '####./#...#/#...#/#...#/####./#..../#....'],
        ':': [4, '#/./././#'],
        '現': [0, '.....#####./#####.#...#./..#...#####./..#...#...#./..#...#####./.###..#...#./' +
                  '..#...#####./..#...#.#.../..#...#.#.../.####.#.#..#/#....#...##.'],
        '在': [0, '....#....../###########/...#......./..#....#.../.##....#.../#.#..#####./' +
                  '..#....#.../..#....#.../..#....#.../..#.#######/..#........'],
        '枚': [0, '..#....#.../..#...#..../#####.#####/..#..#...#./.###.....#./#.#.##..#../' +
                  '..#...##.../..#....#.../..#...#.#../..#..#...#./..#.#.....#'],
      },
    },

    // Calls into the game. A run-time error ends the game in the call: its line is
    // already on the console and on the page. Anything else that goes wrong is written
    // once and shown the same way.
    call: function(f, a, b) {
      try {
        f(a, b);
      } catch (e) {
        if (!e || e.name !== 'ExitStatus') {
          var line = document.title + ': ' + (e && e.message ? e.message : String(e));
          if (!ABORT) console.error(line);  // an abort has written its line already
          VopWeb.end(line, true);
        }
      }
    },

    // Events that reach the game: not while the box is open, nor after the end.
    listening: function() {
      return VopWeb.alive && !VopWeb.boxOpen;
    },

    placeOf: function(element) {
      var i = VopWeb.controls.indexOf(element);
      return element && i >= 0 ? i : -1;
    },

    // The Japanese texts say so, for a screen reader's voice; the rest is the page's English.
    langOf: function(text) {
      return /[\u3040-\u30ff\u3400-\u9fff]/.test(text) ? 'ja' : '';
    },
    // Japanese, or the page's own language.
    setLang: function(element, lang) {
      if (lang) {
        if (element.lang !== lang) element.lang = lang;
      } else {
        element.removeAttribute('lang');
      }
    },

    // --- Letters.
    // The font a caption of that size is drawn in: the grid's size (under 7 points) takes
    // the small one; the window's own button font (0) and every other the big one.
    fontFor: function(points) {
      return points > 0 && points < 7 ? 'small' : 'big';
    },
    // Whether the font draws the letter (a lower-case one may take its capital's glyph).
    // The site's build checks every caption the game can show by it; any other letter
    // would be laid out as a space.
    hasGlyph: function(font, c) {
      var fontGlyphs = VopWeb.fonts[font];
      return c in fontGlyphs || c.toUpperCase() in fontGlyphs;
    },
    // The page's fonts made from these glyphs, added to the page's fonts once: given as
    // bytes, they are ready at once, and the window shows its letters as soon as it shows.
    // A font's line is its glyphs' rows; its size makes a glyph's pixel one of the window.
    fontStyles: {},
    fontStyle: function(font) {
      if (VopWeb.fontStyles[font]) return VopWeb.fontStyles[font];
      if (!VopWeb.fontsAdded) {
        VopWeb.fontsAdded = true;
        Object.keys(Module['vopFonts']).forEach(function(name) {
          var bytes = Uint8Array.from(atob(Module['vopFonts'][name]), function(c) { return c.charCodeAt(0); });
          document.fonts.add(new FontFace('vop-' + name, bytes));
        });
      }
      var em = 0;
      var fontGlyphs = VopWeb.fonts[font];
      Object.keys(fontGlyphs).forEach(function(c) {
        var g = VopWeb.glyph(font, c);
        em = Math.max(em, g.top + g.height);
      });
      VopWeb.fontStyles[font] = Module['vopFontSize'] + 'px/' + em + 'px vop-' + font;
      return VopWeb.fontStyles[font];
    },
    // A glyph's place and size, to lay text out by: its first row in the line, its width
    // and height. Each found once.
    shapes: {},
    glyph: function(font, c) {
      var key = font + c;
      var shape = VopWeb.shapes[key];
      if (shape) return shape;
      var fontGlyphs = VopWeb.fonts[font];
      var g = fontGlyphs[c] || fontGlyphs[c.toUpperCase()] || fontGlyphs[' '];
      var rows = g[1].split('/');
      shape = {top: g[0], width: rows[0].length, height: rows.length};
      VopWeb.shapes[key] = shape;
      return shape;
    },
    measure: function(font, text) {
      var width = 0;
      for (var i = 0; i < text.length; ++i) {
        width += VopWeb.glyph(font, text[i]).width + (i > 0 ? 1 : 0);
      }
      return width;
    },

    // Draws the text into the element, which is `width` x `height` of the window's pixels:
    // centred, or from (`at`, `at`) at the top left. A text too wide goes a word a line;
    // a word is never broken. A caption drawn again keeps its element and changes only
    // what it shows.
    write: function(element, text, font, width, height, at) {
      var lines = VopWeb.measure(font, text) <= width - 4 ? [text] : text.split(' ').filter(Boolean);
      var inks = lines.map(function(line) {
        var top = 99;
        var bottom = 0;
        for (var i = 0; i < line.length; ++i) {
          var g = VopWeb.glyph(font, line[i]);
          top = Math.min(top, g.top);
          bottom = Math.max(bottom, g.top + g.height);
        }
        return {top: top, bottom: bottom};
      });
      var total = inks.reduce(function(sum, ink) { return sum + ink.bottom - ink.top; }, 0) +
                  2 * (lines.length - 1);
      var y = at === undefined ? Math.floor((height - total) / 2) : at;
      var picture = element.vopPicture;
      if (!picture) {
        if (!VopWeb.blank) {
          VopWeb.blank = document.createElement('div');
          VopWeb.blank.innerHTML = '<span></span>';
        }
        element.replaceChildren.apply(element, VopWeb.blank.cloneNode(true).childNodes);
        picture = {ink: element.firstChild};
        element.vopPicture = picture;
      }
      // Each line in the page's font made from these glyphs (pixel_font.py), its em the
      // font's line: placed where its first glyph's pixels begin. Between lines, the space
      // the text had there, so that the text reads as it is (for find, copy and a screen
      // reader).
      picture.ink.className = 'vop-ink';
      picture.ink.style.font = VopWeb.fontStyle(font);
      var parts = [];
      lines.forEach(function(line, n) {
        var span = document.createElement('span');
        span.style.left = (at === undefined ? Math.floor((width - VopWeb.measure(font, line)) / 2) : at) + 'px';
        span.style.top = (y - inks[n].top) + 'px';
        span.textContent = line;
        y += inks[n].bottom - inks[n].top + 2;
        if (n > 0) parts.push(' ');
        parts.push(span);
      });
      picture.ink.replaceChildren.apply(picture.ink, parts);
    },

    // A control's caption, drawn anew when it, the control's size or its font changes:
    // once, when the game's code for the event has run (it often changes all three). So
    // is the window's caption, in its title bar and as the page's title.
    dirty: [],
    draw: function(element) {
      if (element.vop.dirty) return;
      if (VopWeb.dirty.length === 0) queueMicrotask(VopWeb.drawDirty);
      element.vop.dirty = true;
      VopWeb.dirty.push(element);
    },
    drawDirty: function() {
      VopWeb.dirty.splice(0).forEach(function(element) {
        var v = element.vop;
        v.dirty = false;
        if (element === VopWeb.title) {
          document.title = v.caption;
          VopWeb.setLang(element, VopWeb.langOf(v.caption));
          VopWeb.write(element, v.caption, 'big', VopWeb.titleWidth(), VopWeb.kTitle, 2);
        } else if (v.width > 0) {
          VopWeb.write(element, v.caption, v.font, v.width, v.height,
                       element instanceof HTMLButtonElement ? undefined : v.font === 'small' ? 2 : 1);
        }
      });
    },

    // The window with its frame and title bar, in the middle of the page.
    createWindow: function(width, height, background) {
      var page = document.createElement('div');
      page.id = 'vop';
      var frame = document.createElement('div');
      frame.className = 'vop-window';
      frame.setAttribute('role', 'group');
      frame.hidden = true;
      var title = document.createElement('div');
      title.className = 'vop-title';
      title.setAttribute('aria-hidden', 'true');  // the window's name says it
      title.vop = {caption: ''};
      var form = document.createElement('div');
      form.className = 'vop-form';
      form.style.width = width + 'px';
      form.style.height = height + 'px';
      form.style.background = background;
      frame.append(title, form);
      page.append(frame);
      var status = document.createElement('p');
      status.className = 'vop-status';
      status.setAttribute('role', 'status');
      status.hidden = true;
      var live = document.createElement('p');
      live.className = 'vop-text';
      live.setAttribute('aria-live', 'polite');

      // The message box: a window of its own, with its title bar, the text and one button.
      var box = document.createElement('dialog');
      box.className = 'vop-box';
      box.setAttribute('aria-labelledby', 'vop-box-title');
      box.setAttribute('aria-describedby', 'vop-box-text');
      box.innerHTML = '<div class="vop-window"><div class="vop-title vop-box-title" id="vop-box-title">' +
                      '</div><div class="vop-box-client"><div class="vop-box-text" id="vop-box-text">' +
                      '</div><button type="button" id="vop-box-ok"></button></div></div>';
      var ok = box.querySelector('button');
      ok.vop = {caption: 'OK', font: 'big', width: 40, height: 15};
      VopWeb.draw(ok);
      ok.addEventListener('click', function() { box.close(); });
      box.addEventListener('cancel', function(e) {
        // Escape closes the box, as on the desktop; nothing else may.
        if (!VopWeb.boxOpen) e.preventDefault();
      });
      document.body.append(page, status, live, box);
      VopWeb.page = page;
      VopWeb.frame = frame;
      VopWeb.title = title;
      VopWeb.form = form;
      VopWeb.status = status;
      VopWeb.live = live;
      VopWeb.box = box;
      VopWeb.size = {width: width + 2 * VopWeb.kFrame, height: height + 2 * VopWeb.kFrame + VopWeb.kTitle};
      frame.style.width = VopWeb.size.width + 'px';
      var bar = document.createElement('div');
      bar.className = 'vop-titlebar';
      bar.hidden = true;
      document.body.append(bar);
      VopWeb.bar = bar;

      // A press anywhere but on a button of the window keeps the focus where it is, as
      // a click on a window's label, background or title bar does; so does a press of
      // another mouse button, which presses no button.
      document.addEventListener('mousedown', function(e) {
        if (e.button !== 0 || !(e.target.closest && e.target.closest('button'))) e.preventDefault();
      });
      document.addEventListener('keydown', function(e) {
        // A held Enter or Space presses a button once, as on the desktop; the browser
        // would click again on every repeat of Enter.
        if (e.repeat && (e.key === 'Enter' || e.key === ' ')) {
          e.preventDefault();
          return;
        }
        if (e.key !== 'Tab' || e.ctrlKey || e.altKey || e.metaKey) return;
        if (VopWeb.boxOpen) {
          e.preventDefault();  // the box keeps the focus
        } else if (VopWeb.alive) {
          e.preventDefault();
          VopWeb.call(_vop_web_tabbed, VopWeb.placeOf(document.activeElement), e.shiftKey ? 1 : 0);
        }
      });
      // Closing the page ends the game, as closing its window does.
      window.addEventListener('pagehide', function(e) {
        if (e.persisted || !VopWeb.alive) return;
        VopWeb.leaving = true;  // the page goes by itself: its window stays (a reload, say)
        VopWeb.call(_vop_web_closed);
      });
      var unstarted = document.getElementById('vop-unstarted');
      if (unstarted) unstarted.remove();
      // A site that can be installed says so, and keeps itself for play without a
      // network; not when opened as a file, where a page may fetch nothing. Only once the
      // dealt hand is on the screen, which installing must not delay (it fetches the site
      // again); a page not shown paints nothing, and gets there a while after it loads.
      var manifest = document.querySelector('meta[name="vop-manifest"]');
      if (manifest && navigator.serviceWorker && /^https?:$/.test(location.protocol)) {
        var keep = function() {
          if (!manifest) return;
          var link = document.createElement('link');
          link.rel = 'manifest';
          link.href = manifest.content;
          manifest = null;
          document.head.append(link);
          navigator.serviceWorker.register('sw.js').catch(function() {});
        };
        new PerformanceObserver(function(list, observer) {
          if (list.getEntriesByName('first-contentful-paint').length) {
            observer.disconnect();
            setTimeout(keep);
          }
        }).observe({type: 'paint', buffered: true});
        var later = function() { setTimeout(keep, 3000); };
        if (document.readyState === 'complete') {
          later();
        } else {
          window.addEventListener('load', later);
        }
      }
    },

    // Where the page may draw the window's title bar, beside the system's buttons: in an
    // installed app's window that leaves its title bar to the page (Window Controls
    // Overlay); else null, and the window draws its own.
    overlay: function() {
      var controls = navigator.windowControlsOverlay;
      if (!controls || !controls.visible) return null;
      var rect = controls.getTitlebarAreaRect();
      return rect.width > 0 && rect.height > 0 ? rect : null;
    },
    titleWidth: function() {
      return VopWeb.title.parentNode === VopWeb.bar ? parseFloat(VopWeb.title.style.width)
                                                     : VopWeb.size.width - 2 * VopWeb.kFrame;
    },
    // Greyed while the box is open and once the game has ended, as a desktop shows a window
    // that is not the active one.
    setInactive: function(inactive) {
      VopWeb.frame.classList.toggle('vop-inactive', inactive);
      VopWeb.bar.classList.toggle('vop-inactive', inactive);
    },

    // The nearest place to `css` (CSS pixels, not below 0) that is a whole device pixel
    // and a place the page's layout keeps exactly: a whole number of CSS pixels that makes
    // whole device pixels (every other one at a ratio of 1.5).
    onDevicePixel: function(css) {
      var ratio = window.devicePixelRatio || 1;
      var step = 1;
      while (step < 16 && Math.abs(step * ratio - Math.round(step * ratio)) > 1e-6) ++step;
      return Math.max(0, Math.round(css / step) * step);
    },

    // The largest whole number of device pixels a pixel of the window can take in the
    // room the page has (one at least), as CSS pixels.
    scaleFor: function(size, room) {
      var ratio = window.devicePixelRatio || 1;
      var k = Math.floor(Math.min(room.width * ratio / size.width, room.height * ratio / size.height));
      return Math.max(1, k) / ratio;
    },

    // The window as large as whole device pixels let it be, in the middle of the page and
    // its corner on a whole device pixel, so that every line and letter stays sharp;
    // where it does not fit even so, the page scrolls. Anew when the page's size, zoom or
    // screen changes.
    fit: function() {
      var room = {width: document.documentElement.clientWidth, height: document.documentElement.clientHeight};
      var size = VopWeb.size;
      var overlay = VopWeb.overlay();
      VopWeb.bar.hidden = !overlay;
      if (overlay) {
        // The title bar in the window's own title bar, as large as whole device pixels let
        // it be there; the window below it without one.
        var high = {width: VopWeb.kTitle, height: VopWeb.kTitle};
        var titleScale = VopWeb.scaleFor(high, {width: overlay.width, height: overlay.height});
        var bar = VopWeb.bar.style;
        bar.left = overlay.x + 'px';
        bar.top = overlay.y + 'px';
        bar.width = overlay.width + 'px';
        bar.height = overlay.height + 'px';
        VopWeb.title.style.zoom = titleScale;
        VopWeb.title.style.top = VopWeb.onDevicePixel((overlay.height - VopWeb.kTitle * titleScale) / 2 / titleScale) + 'px';
        VopWeb.title.style.width = Math.floor(overlay.width / titleScale) + 'px';
        if (VopWeb.title.parentNode !== VopWeb.bar) VopWeb.bar.append(VopWeb.title);
        size = {width: size.width, height: size.height - VopWeb.kTitle};
        room.height -= overlay.y + overlay.height;
      } else if (VopWeb.title.parentNode !== VopWeb.frame) {
        VopWeb.title.removeAttribute('style');
        VopWeb.frame.prepend(VopWeb.title);
      }
      VopWeb.draw(VopWeb.title);
      var scale = VopWeb.scaleFor(size, room);
      var at = function(space, length) {
        return VopWeb.onDevicePixel((space - length * scale) / 2) + 'px';
      };
      // Zoomed, not transformed: the page lays the window out at its size, and so puts
      // every edge on a device pixel, at any device pixel ratio.
      VopWeb.frame.style.zoom = scale;
      VopWeb.page.style.left = at(room.width, size.width);
      VopWeb.page.style.top = (overlay ? overlay.y + overlay.height : 0) + parseFloat(at(room.height, size.height)) + 'px';
      if (VopWeb.box.open) VopWeb.placeBox();
    },
    fitOnChange: function() {
      function watchRatio() {
        window.matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)')
            .addEventListener('change', function() { VopWeb.fit(); watchRatio(); }, {once: true});
      }
      window.addEventListener('resize', VopWeb.fit);
      if (navigator.windowControlsOverlay) {
        navigator.windowControlsOverlay.addEventListener('geometrychange', VopWeb.fit);
      }
      watchRatio();
      VopWeb.fit();
    },

    createControl: function(place, isButton, name, background) {
      var element = document.createElement(isButton ? 'button' : 'div');
      element.id = name;
      element.vop = {caption: '', font: 'big', width: 0, height: 0};
      if (isButton) {
        element.type = 'button';
        element.addEventListener('focus', function() {
          if (VopWeb.listening()) VopWeb.call(_vop_web_focused, place);
        });
        element.addEventListener('click', function() {
          if (VopWeb.listening()) VopWeb.call(_vop_web_clicked, place);
        });
      } else {
        // A label is a picture of its caption; its name says what it shows.
        element.className = 'vop-label';
        element.setAttribute('role', 'img');
      }
      if (background) element.style.background = background;
      VopWeb.controls[place] = element;
      VopWeb.form.append(element);
    },

    // The window as it is laid out is also the order in which a screen reader reads it:
    // row by row, left to right. Nothing has the focus yet, so nothing loses it. The page
    // lays the window out once, whole: its captions drawn and its place and scale found
    // before it shows.
    showWindow: function() {
      VopWeb.drawDirty();
      var elements = VopWeb.controls.filter(Boolean);
      elements.sort(function(a, b) {
        return (a.vop.top - b.vop.top) || (a.vop.left - b.vop.left);
      });
      VopWeb.form.append.apply(VopWeb.form, elements);
      VopWeb.fitOnChange();
      VopWeb.frame.hidden = false;
    },

    // The caption, in the title bar and the page's title, once the event's code has run.
    setTitle: function(caption) {
      VopWeb.title.vop.caption = caption;
      VopWeb.draw(VopWeb.title);
    },

    // The box: as large as the window's pixels are, or smaller where the page has not the
    // room, so that it is always whole; below the window, so that the game stays in view
    // behind it, and higher up only where the page is too short for both.
    placeBox: function() {
      var box = VopWeb.box;
      var inner = box.firstChild;
      inner.style.zoom = 1;
      var natural = inner.getBoundingClientRect();
      var size = {width: natural.width, height: natural.height};
      var room = {width: window.innerWidth, height: window.innerHeight};
      var scale = Math.min(VopWeb.scaleFor(size, room), VopWeb.scaleFor(VopWeb.size, room));
      scale = Math.min(scale, room.width / size.width, room.height / size.height);
      inner.style.zoom = scale;
      var below = VopWeb.page.getBoundingClientRect().bottom + 8;
      var top = Math.max(0, Math.min(below, room.height - size.height * scale));
      box.style.top = Math.min(VopWeb.onDevicePixel(top), Math.floor(room.height - size.height * scale)) + 'px';
      box.style.left = VopWeb.onDevicePixel((room.width - size.width * scale) / 2) + 'px';
    },

    showBox: function(prompt, title, wakeUp) {
      var box = VopWeb.box;
      VopWeb.write(box.querySelector('.vop-box-title'), title, 'big', 64, VopWeb.kTitle, 2);
      VopWeb.write(box.querySelector('.vop-box-text'), prompt, 'big', 64, 9);
      box.addEventListener('close', function() {
        VopWeb.boxOpen = false;
        VopWeb.setInactive(false);
        VopWeb.call(wakeUp);  // the game's code goes on after the box
      }, {once: true});
      VopWeb.boxOpen = true;
      VopWeb.setInactive(true);
      box.showModal();
      VopWeb.placeBox();
    },

    // What a screen reader hears as it changes on the focused status: the table on the
    // button the game parks the focus on, when a move leaves the focus there. (Where the
    // focus comes to it, the reader reads it anyway; a card's words change with the focus
    // already on its way.)
    announce: function(element) {
      if (document.activeElement === element && element.getAttribute('role') === 'status' &&
          element.getAttribute('aria-label')) {
        VopWeb.setLang(VopWeb.live, element.lang);
        VopWeb.live.textContent = element.getAttribute('aria-label');
      }
    },

    // "E": a window that a script may close closes, as the desktop's window does (an
    // installed app's window with this one page in its history, or a window a script
    // opened); anywhere else a page cannot close its tab, and says that the game has ended.
    quit: function(line) {
      VopWeb.end(line, false);
      var app = window.matchMedia('(display-mode: standalone), (display-mode: window-controls-overlay), ' +
                                  '(display-mode: minimal-ui), (display-mode: fullscreen)').matches;
      if (!VopWeb.leaving && (window.opener || (app && history.length === 1))) window.close();
    },

    end: function(line, isError) {
      if (!VopWeb.alive || !VopWeb.form) return;
      VopWeb.alive = false;
      VopWeb.controls.forEach(function(element) {
        if (element instanceof HTMLButtonElement) element.disabled = true;
      });
      VopWeb.form.inert = true;
      VopWeb.setInactive(true);
      VopWeb.status.textContent = line;
      VopWeb.status.classList.toggle('vop-error', !!isError);
      VopWeb.status.hidden = false;
      if (VopWeb.box.open) VopWeb.box.close();
    },
  },

  // What the C++ library's clocks read, steady_clock among them. The page's own clock
  // counts from the page's load, so every load would read much the same time when the
  // first hand is dealt, and deal from a few seeds only; counted from the epoch instead,
  // as a desktop's clock counts from the machine's start, each load seeds anew.
  emscripten_get_now: function() {
    return performance.timeOrigin + performance.now();
  },

  // The language the page's reader reads: the browser's own.
  vop_web_language__deps: ['malloc'],
  vop_web_language: function() {
    var tag = navigator.language || 'en';
    var size = lengthBytesUTF8(tag) + 1;
    var copy = _malloc(size);
    stringToUTF8(tag, copy, size);
    return copy;
  },

  vop_web_create_window__deps: ['$VopWeb'],
  vop_web_create_window: function(width, height, background) {
    VopWeb.createWindow(width, height, UTF8ToString(background));
  },
  vop_web_create_control__deps: ['$VopWeb'],
  vop_web_create_control: function(place, isButton, name, background) {
    VopWeb.createControl(place, isButton, UTF8ToString(name), UTF8ToString(background));
  },
  vop_web_show_window__deps: ['$VopWeb'],
  vop_web_show_window: function() {
    VopWeb.showWindow();
  },
  vop_web_set_title__deps: ['$VopWeb'],
  vop_web_set_title: function(title) {
    VopWeb.setTitle(UTF8ToString(title));
  },
  vop_web_set_caption__deps: ['$VopWeb'],
  vop_web_set_caption: function(place, caption) {
    var element = VopWeb.controls[place];
    element.vop.caption = UTF8ToString(caption);
    VopWeb.draw(element);
  },
  vop_web_set_enabled__deps: ['$VopWeb'],
  vop_web_set_enabled: function(place, enabled) {
    var element = VopWeb.controls[place];
    if (element instanceof HTMLButtonElement) {
      element.disabled = !enabled;
    } else if (enabled) {
      element.removeAttribute('aria-disabled');
    } else {
      element.setAttribute('aria-disabled', 'true');
    }
  },
  vop_web_set_visible__deps: ['$VopWeb'],
  vop_web_set_visible: function(place, visible) {
    VopWeb.controls[place].hidden = !visible;
  },
  vop_web_set_geometry__deps: ['$VopWeb'],
  vop_web_set_geometry: function(place, left, top, width, height) {
    var element = VopWeb.controls[place];
    var style = element.style;
    style.left = left + 'px';
    style.top = top + 'px';
    style.width = width + 'px';
    style.height = height + 'px';
    var v = element.vop;
    v.left = left;
    v.top = top;
    if (v.width !== width || v.height !== height) {
      v.width = width;
      v.height = height;
      VopWeb.draw(element);
    }
  },
  vop_web_set_font__deps: ['$VopWeb'],
  vop_web_set_font: function(place, face, points) {
    // The definition's one font, "Small Fonts" at 5 points, is the grid's pixel font.
    var element = VopWeb.controls[place];
    element.vop.font = VopWeb.fontFor(points);
    VopWeb.draw(element);
  },
  vop_web_set_color__deps: ['$VopWeb'],
  vop_web_set_color: function(place, color, highlight) {
    var element = VopWeb.controls[place];
    element.style.color = UTF8ToString(color);
    // Which pair of a high-contrast theme's forced colours the label takes, which would
    // otherwise make every ink alike.
    element.dataset.contrast = highlight ? 'highlight' : 'text';
  },
  vop_web_set_spoken__deps: ['$VopWeb'],
  vop_web_set_spoken: function(place, name, description) {
    var element = VopWeb.controls[place];
    name = UTF8ToString(name);
    var said = UTF8ToString(description);
    element.setAttribute('aria-label', name);
    if (said) {
      element.setAttribute('aria-description', said);
    } else {
      element.removeAttribute('aria-description');
    }
    VopWeb.setLang(element, VopWeb.langOf(name + said));
    VopWeb.announce(element);
  },
  vop_web_set_role__deps: ['$VopWeb'],
  vop_web_set_role: function(place, role) {
    role = UTF8ToString(role);
    if (role) {
      VopWeb.controls[place].setAttribute('role', role);
    } else {
      VopWeb.controls[place].removeAttribute('role');
    }
  },
  vop_web_set_window_name__deps: ['$VopWeb'],
  vop_web_set_window_name: function(name) {
    // The window is named in the player's words; its title bar shows the caption as it is.
    name = UTF8ToString(name);
    VopWeb.frame.setAttribute('aria-label', name);
    VopWeb.setLang(VopWeb.frame, VopWeb.langOf(name));
  },
  vop_web_focus__deps: ['$VopWeb'],
  vop_web_focus: function(place) {
    // The parking button lies outside the window: the window must not scroll to it.
    VopWeb.controls[place].focus({preventScroll: true});
  },
  vop_web_focused_place__deps: ['$VopWeb'],
  vop_web_focused_place: function() {
    return VopWeb.placeOf(document.activeElement);
  },
  vop_web_ended_shown__deps: ['$VopWeb'],
  vop_web_ended_shown: function() {
    return !VopWeb.alive && !VopWeb.status.hidden ? 1 : 0;
  },
  vop_web_message_box__deps: ['$VopWeb'],
  vop_web_message_box: function(prompt, title) {
    prompt = UTF8ToString(prompt);
    title = UTF8ToString(title);
    return Asyncify.handleSleep(function(wakeUp) { VopWeb.showBox(prompt, title, wakeUp); });
  },
  vop_web_quit__deps: ['$VopWeb'],
  vop_web_quit: function(line) {
    VopWeb.quit(UTF8ToString(line));
  },
  vop_web_end__deps: ['$VopWeb'],
  vop_web_end: function(line, isError) {
    VopWeb.end(UTF8ToString(line), isError);
  },
});
