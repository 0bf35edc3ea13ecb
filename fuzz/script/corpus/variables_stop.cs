// Unix line endings
Zeit:INTEGER(3);
Zeit=2;
zeit*0.5;
R:OBJECT(x);
R.W=sin(Zeit),cos(-1);
-1 R.M*1,0.01;
d300 R!;
