// Wolkenfahrt: a small sample script. Statements read
//   [d<delay>] [<duration>] <name> <operator> <argument>;
// with delays and durations in steps of 10 ms.
Welt:OBJECT(Base);
Kamera:OBJECT(x);
Kamera.M=0,0,-4,1;
-1 Kamera.M*1,0.002;
d1000 1 ende:ENDE("Ende");
