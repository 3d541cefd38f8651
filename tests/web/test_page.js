// The test page's side (tests/web/test_page.cpp): window.vopTest, what the browser tests
// call in the page. Built into the test page only.
mergeInto(LibraryManager.library, {
  vop_test_page_ready__deps: ['$VopWeb'],
  vop_test_page_ready: function() {
    // When the page is closed, what it shows then goes to the tests through their binding
    // (vopReport) before the page is gone. Listening after the window's own listener
    // reports the page as the window left it.
    function reportOnClose() {
      window.addEventListener('pagehide', function() {
        if (window.vopReport) {
          window.vopReport(JSON.stringify({ended: !VopWeb.alive && !VopWeb.status.hidden,
                                           drawsLeft: _vop_test_draws_left()}));
        }
      });
    }
    window.vopTest = {
      draw: function(card) { _vop_test_draw(card); },
      drawWinnable: function() { _vop_test_draw_winnable(); },
      drawsLeft: function() { return _vop_test_draws_left(); },
      start: function() {
        _vop_test_start();
        reportOnClose();
      },
      // A run-time error raised in the game, reaching the page as one from an event would.
      fault: function() { VopWeb.call(_vop_test_fault); },
      // No box is open and no game code is waiting for one to close.
      idle: function() { return !VopWeb.boxOpen && !Asyncify.currData; },
      monkeyStart: function(source, seed) {
        _vop_test_monkey_start(source, seed);
        reportOnClose();
      },
      monkeyWantsMore: function(events) { return _vop_test_monkey_wants_more(events) !== 0; },
      monkeyNext: function() { return UTF8ToString(_vop_test_monkey_next()); },
      monkeyDone: function() { _vop_test_monkey_done(); },
      monkeyBoxOpened: function(title, text, buttons) {
        var t = allocateUTF8(title), x = allocateUTF8(text);
        _vop_test_monkey_box_opened(t, x, buttons);
        _free(t);
        _free(x);
      },
      monkeyNextInBox: function() { return UTF8ToString(_vop_test_monkey_next_in_box()); },
      monkeyDoneInBox: function() { _vop_test_monkey_done_in_box(); },
      monkeyFinish: function() { return UTF8ToString(_vop_test_monkey_finish()); },
    };
  },
});
