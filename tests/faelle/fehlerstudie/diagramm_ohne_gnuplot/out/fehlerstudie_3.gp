# Fehler gegen n, doppelt logarithmisch; zeichnen mit: gnuplot fehlerstudie_3.gp
set encoding utf8
set terminal pngcairo noenhanced size 1000,818 font ',11'
if (!exists("bild")) bild = 'fehlerstudie_3.png'
set output bild
set title 'Beispielfunktion 3: Betrag auf [-0.3,0.3]' . "\n" . 'Decke 1e-01 (gepunktet): groessere Fehler, auch inf und nan, liegen auf ihr'
set logscale xy
set format y '%.0e'
set xtics (4, 8)
set xlabel 'n'
set ylabel 'groesster Fehler max |p(x) - f(x)|'
set grid
set xrange [2.66667:12]
decke = 0.1
set yrange [0.01:0.3]
set bmargin at screen 0.3423
set key at screen 0.5, screen 0.2665 center top box spacing 1.2 width 1
set arrow from graph 0, first decke to graph 1, first decke nohead dt 3 lw 1.5 lc rgb '#606060'
gekappt(y) = (y != y || y > decke) ? decke : (y > 0 ? y : NaN)
$boden0 << EOD
4 4.706261e-15
8 2.333205e-14
EOD
$boden1 << EOD
4 3.834291e-15
8 4.848880e-15
EOD
plot 'fehlerstudie_3.dat' using 1:(gekappt($2)) with linespoints lw 2 dt 1 pt 5 ps 1.2 lc rgb '#d55e00' title 'Newton, aequidistant (divergiert (Runge))', \
     '' using 1:(gekappt($3)) with linespoints lw 2 dt 1 pt 7 ps 1.3 lc rgb '#0072b2' title 'Newton, Tschebyscheff', \
     '' using 1:(gekappt($4)) with linespoints lw 2 dt 2 pt 6 ps 2.2 lc rgb '#3d8fd1' title 'baryzentrisch, Tschebyscheff', \
     '' using 1:(gekappt($5)) with linespoints lw 4 dt 1 pt 9 ps 1.6 lc rgb '#009e73' title 'natuerlicher Spline, aequidistant', \
     '' using 1:(gekappt($6)) with linespoints lw 2 dt 1 pt 11 ps 1.6 lc rgb '#cc79a7' title 'natuerlicher Spline, Tschebyscheff', \
     '' using 1:(gekappt($7)) with linespoints lw 2 dt 1 pt 13 ps 1.6 lc rgb '#000000' title 'Spline, 2. Ableitung exakt an den Enden, aequidistant', \
     '' using 1:(gekappt($8)) with linespoints lw 1.5 dt 3 pt 8 ps 2.4 lc rgb '#8c8c8c' title 'periodischer Spline, aequidistant', \
     $boden0 using 1:(gekappt($2)) with lines dt 2 lw 1 lc rgb '#909090' title 'Rundungsboden K u Λ_n max|f|, Knoten-a', \
     $boden1 using 1:(gekappt($2)) with lines dt 2 lw 1 lc rgb '#909090' title 'Rundungsboden K u Λ_n max|f|, Knoten-t'
