PLAYMOD();
MESSAGE("Hallo Welt");
BLEND(1);
x:START(50);
d20 y:ENDE("fertig");
