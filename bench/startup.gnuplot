# Start-up time across bench runs: Vop against the bare window, per backend. A backend
# with no rows in the history yet is left out; with none at all there is no chart.
csv = "docs/bench/history.csv"
rows(backend) = int(system(sprintf("awk -F, 'NR>1 && $2==\"%s\"' %s 2>/dev/null | wc -l", backend, csv)))
# One backend's runs, numbered in order: run, Vop's warm median, the bare window's.
source(backend) = sprintf("< awk -F, 'NR>1 && $2==\"%s\" {print ++n\",\"$3\",\"$4}' %s", backend, csv)

set terminal svg size 720,360 dynamic font "sans,11"
set datafile separator ","
set title "Start-up to the window's map (median of warm runs)"
set ylabel "ms"
set xlabel "bench run"
set key top left
set yrange [0:*]
set grid ytics

qt = rows("qt") > 0
win32 = rows("win32") > 0
if (!qt && !win32) {
    print "no start-up figures in ", csv, ": no chart"
    exit
}
set output "docs/bench/startup.svg"
if (qt && win32) {
    plot source("qt") using 1:2 with linespoints title "Vop (Qt)", \
         "" using 1:3 with linespoints title "bare window (Qt)", \
         source("win32") using 1:2 with linespoints title "vop.exe (Wine)", \
         "" using 1:3 with linespoints title "bare window (Wine)"
} else {
    name = qt ? "qt" : "win32"
    plot source(name) using 1:2 with linespoints title (qt ? "Vop (Qt)" : "vop.exe (Wine)"), \
         "" using 1:3 with linespoints title (qt ? "bare window (Qt)" : "bare window (Wine)")
}
