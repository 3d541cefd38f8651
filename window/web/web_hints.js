//# allFunctionsCalledOnLoad
// (First, for the browser to read it.) Most of this script runs as the page loads: the
// browser compiles all of it while it arrives, rather than each function when first called.
