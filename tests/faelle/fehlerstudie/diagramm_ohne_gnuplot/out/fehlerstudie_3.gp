# Fehler gegen n, doppelt logarithmisch; zeichnen mit: gnuplot fehlerstudie_3.gp
set terminal png noenhanced size 900,600
set output 'fehlerstudie_3.png'
set title 'Beispielfunktion 3: Betrag auf [-0.3,0.3]'
set logscale xy
set format y '%.0e'
set xtics (4, 8)
set xlabel 'n'
set ylabel 'groesster Fehler'
set grid
set xrange [2.66667:12]
set key top left box opaque
plot 'fehlerstudie_3.dat' using 1:2 with linespoints lw 2 lc rgb '#c00000' pt 5 title 'Newton, aequidistant', \
     '' using 1:3 with linespoints lw 2 lc rgb '#0050c0' pt 7 title 'Newton, Tschebyscheff', \
     '' using 1:4 with linespoints lw 4 lc rgb '#008000' pt 9 ps 1.5 title 'natuerlicher Spline, aequidistant', \
     '' using 1:5 with linespoints lw 2 lc rgb '#e08000' pt 11 title 'natuerlicher Spline, Tschebyscheff', \
     '' using 1:6 with linespoints lw 1 dt 2 lc rgb '#000000' pt 6 title 'periodischer Spline, aequidistant'
