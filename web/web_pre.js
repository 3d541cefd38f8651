// Runs before the program's JavaScript starts: what the program writes to stderr (a
// run-time error's one line) reaches the console as an error.
Module['printErr'] = function(text) {
  console.error(text);
};

// A wasm the browser cannot compile or start stops the script where emscripten starts it
// (it is compiled at once, from inside this script, as the linker's options ask): the
// page says so as it would say any other abort.
addEventListener('error', function(e) {
  if (!Module['calledRun']) Module['onAbort'](e.message);
}, {once: true});

// A program that cannot start (its wasm cannot be compiled, say) says so in one line on
// the page, not only on the console, in place of the page's line for a program that never
// loaded.
Module['onAbort'] = function(what) {
  var unstarted = document.getElementById('vop-unstarted');
  if (unstarted) unstarted.remove();
  // Once, and not where the window shows it itself (web_window.js).
  if (document.querySelector('.vop-form, .vop-error')) return;
  var line = document.createElement('p');
  line.className = 'vop-error';
  line.style.margin = '8px';
  // The page's title is the program's name.
  line.textContent = document.title + ': ' + what;
  document.body.append(line);
};
