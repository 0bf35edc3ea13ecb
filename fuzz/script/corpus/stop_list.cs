A:OBJECT(Base);
B:OBJECT(Base);
d1 -1 a.W*1;
-1 A.W*1;
-1 B.W*1;
-1 A.W*1;
d5 A!;
3 K:OBJECT(base);