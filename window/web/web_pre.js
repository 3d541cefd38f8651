// Runs before the program's JavaScript starts: what the program writes to stderr (a
// run-time error's one line) reaches the console as an error.
Module['printErr'] = function(text) {
  console.error(text);
};
