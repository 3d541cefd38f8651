// Runs before the program's JavaScript starts: what the program writes to stderr (a
// run-time error's one line) reaches the console as an error.
Module['printErr'] = function(text) {
  console.error(text);
};

// A program that cannot start (its wasm not found or not served, a page opened as a file)
// says so on the page, not only on the console.
Module['onAbort'] = function(what) {
  // Once, and not where the window shows it itself (web_window.js).
  if (document.querySelector('.vop-form, .vop-error')) return;
  var line = document.createElement('p');
  line.className = 'vop-error';
  line.style.margin = '8px';
  line.textContent = 'Vop: ' + what;
  document.body.append(line);
};
