T:STRING("");
G.M="a;b
// open
X:Kugel(1);
0 Y.M=1;
