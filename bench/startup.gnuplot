# Start-up time across bench runs: Vop against the bare window, per backend.
set terminal svg size 720,360 dynamic font "sans,11"
set output "docs/bench/startup.svg"
set datafile separator ","
set title "Start-up to first painted frame (median of warm runs)"
set ylabel "ms"
set xlabel "bench run"
set key top left
set yrange [0:*]
set grid ytics
plot "< awk -F, 'NR>1 && $2==\"qt\" {print ++n\",\"$3\",\"$4}' docs/bench/history.csv" \
         using 1:2 with linespoints title "Vop (Qt)", \
     "" using 1:3 with linespoints title "bare window (Qt)", \
     "< awk -F, 'NR>1 && $2==\"win32\" {print ++n\",\"$3\",\"$4}' docs/bench/history.csv" \
         using 1:2 with linespoints title "vop.exe (Wine)", \
     "" using 1:3 with linespoints title "bare window (Wine)"
