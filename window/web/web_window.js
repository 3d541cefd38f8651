// The page's side of the web window (window/web/web_runtime.cpp): the elements that show
// the window, and the page's events handed to the runtime. Built into the program's
// JavaScript by the linker (--js-library).
mergeInto(LibraryManager.library, {
  $VopWeb: {
    form: null,
    controls: [],  // by place: the element of each control
    box: null,
    status: null,
    live: true,     // until "E", a closed page or a run-time error
    boxOpen: false, // the page is modal: nothing reaches the game

    // Calls into the game. A run-time error ends the game in the call: its line is
    // already on the console and on the page. Anything else that goes wrong is written
    // once and shown the same way.
    call: function(f, a, b) {
      try {
        f(a, b);
      } catch (e) {
        if (!e || e.name !== 'ExitStatus') {
          var line = 'Vop: ' + (e && e.message ? e.message : String(e));
          if (!ABORT) console.error(line);  // an abort has written its line already
          VopWeb.end(line, true);
        }
      }
    },

    // Events that reach the game: not while the box is open, nor after the end.
    listening: function() {
      return VopWeb.live && !VopWeb.boxOpen;
    },

    placeOf: function(element) {
      var i = VopWeb.controls.indexOf(element);
      return element && i >= 0 ? i : -1;
    },

    createWindow: function(width, height, background) {
      var page = document.createElement('div');
      page.id = 'vop';
      var form = document.createElement('div');
      form.className = 'vop-form';
      form.style.width = width + 'px';
      form.style.height = height + 'px';
      form.style.background = background;
      form.hidden = true;
      var status = document.createElement('p');
      status.className = 'vop-status';
      status.setAttribute('role', 'status');
      status.hidden = true;
      page.append(form, status);

      // The "Win" box: a title, the text and one button.
      var box = document.createElement('dialog');
      box.className = 'vop-box';
      box.setAttribute('aria-labelledby', 'vop-box-title');
      box.setAttribute('aria-describedby', 'vop-box-text');
      box.innerHTML = '<div class="vop-box-title" id="vop-box-title"></div>' +
                      '<p class="vop-box-text" id="vop-box-text"></p>' +
                      '<button type="button" id="vop-box-ok">OK</button>';
      box.querySelector('button').addEventListener('click', function() { box.close(); });
      document.body.append(page, box);
      VopWeb.form = form;
      VopWeb.centre(page, width, height);
      VopWeb.status = status;
      VopWeb.box = box;

      // A press anywhere but on a button of the window keeps the focus where it is, as
      // a click on a window's label or background does; so does a press of another
      // mouse button, which presses no button.
      document.addEventListener('mousedown', function(e) {
        if (e.button !== 0 || !(e.target instanceof HTMLButtonElement)) e.preventDefault();
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
        } else if (VopWeb.live) {
          e.preventDefault();
          VopWeb.call(_vop_web_tabbed, VopWeb.placeOf(document.activeElement), e.shiftKey ? 1 : 0);
        }
      });
      // Closing the page ends the game, as closing its window does.
      window.addEventListener('pagehide', function(e) {
        if (!e.persisted && VopWeb.live) VopWeb.call(_vop_web_closed);
      });
    },

    // The window in the middle of the page, its corner on a whole device pixel at every
    // zoom and pixel ratio, so that its lines and letters stay sharp.
    centre: function(page, width, height) {
      function place() {
        var ratio = window.devicePixelRatio || 1;
        var at = function(room, size) {
          return Math.max(0, Math.round((room - size) / 2 * ratio) / ratio) + 'px';
        };
        page.style.left = at(document.documentElement.clientWidth, width);
        page.style.top = at(document.documentElement.clientHeight, height);
      }
      // A new pixel ratio (a zoom, another screen) places the window anew.
      function watchRatio() {
        window.matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)')
            .addEventListener('change', function() { place(); watchRatio(); }, {once: true});
      }
      window.addEventListener('resize', place);
      watchRatio();
      place();
    },

    createControl: function(place, isButton, name, background) {
      var element = document.createElement(isButton ? 'button' : 'div');
      element.id = name;
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
    // row by row, left to right. Nothing has the focus yet, so nothing loses it.
    showWindow: function() {
      var elements = VopWeb.controls.filter(Boolean);
      elements.sort(function(a, b) {
        return (parseInt(a.style.top, 10) - parseInt(b.style.top, 10)) ||
               (parseInt(a.style.left, 10) - parseInt(b.style.left, 10));
      });
      VopWeb.form.append.apply(VopWeb.form, elements);
      VopWeb.form.hidden = false;
    },

    showBox: function(prompt, title, wakeUp) {
      var box = VopWeb.box;
      box.querySelector('#vop-box-title').textContent = title;
      box.querySelector('#vop-box-text').textContent = prompt;
      box.addEventListener('close', function() {
        VopWeb.boxOpen = false;
        VopWeb.call(wakeUp);  // the game's code goes on after the box
      }, {once: true});
      VopWeb.boxOpen = true;
      box.showModal();
      // Below the window, so that the game stays in view behind the box; higher up only
      // where the page is too short for both.
      var below = VopWeb.form.getBoundingClientRect().bottom + 8;
      box.style.top = Math.max(0, Math.min(below, window.innerHeight - box.offsetHeight)) + 'px';
    },

    end: function(line, isError) {
      if (!VopWeb.live || !VopWeb.form) return;
      VopWeb.live = false;
      VopWeb.controls.forEach(function(element) {
        if (element instanceof HTMLButtonElement) element.disabled = true;
      });
      VopWeb.form.inert = true;
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
  vop_web_set_title: function(title) {
    document.title = UTF8ToString(title);
  },
  vop_web_set_caption__deps: ['$VopWeb'],
  vop_web_set_caption: function(place, caption) {
    VopWeb.controls[place].textContent = UTF8ToString(caption);
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
    var style = VopWeb.controls[place].style;
    style.left = left + 'px';
    style.top = top + 'px';
    style.width = width + 'px';
    style.height = height + 'px';
  },
  vop_web_set_font__deps: ['$VopWeb'],
  vop_web_set_font: function(place, face, points) {
    var style = VopWeb.controls[place].style;
    style.fontFamily = '"' + UTF8ToString(face) + '", monospace';
    // In whole pixels, as a desktop sizes its fonts: letters this small keep whole strokes.
    style.fontSize = Math.round(points * 96 / 72) + 'px';
  },
  vop_web_set_color__deps: ['$VopWeb'],
  vop_web_set_color: function(place, color) {
    VopWeb.controls[place].style.color = UTF8ToString(color);
  },
  vop_web_set_spoken__deps: ['$VopWeb'],
  vop_web_set_spoken: function(place, name, description) {
    var element = VopWeb.controls[place];
    element.setAttribute('aria-label', UTF8ToString(name));
    var said = UTF8ToString(description);
    if (said) {
      element.setAttribute('aria-description', said);
    } else {
      element.removeAttribute('aria-description');
    }
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
    return !VopWeb.live && !VopWeb.status.hidden ? 1 : 0;
  },
  vop_web_message_box__deps: ['$VopWeb'],
  vop_web_message_box: function(prompt, title) {
    prompt = UTF8ToString(prompt);
    title = UTF8ToString(title);
    return Asyncify.handleSleep(function(wakeUp) { VopWeb.showBox(prompt, title, wakeUp); });
  },
  vop_web_end__deps: ['$VopWeb'],
  vop_web_end: function(line, isError) {
    VopWeb.end(UTF8ToString(line), isError);
  },
});
