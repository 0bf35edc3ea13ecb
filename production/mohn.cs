// Wolkenfahrt - eine Reise durch die Wolken.
//
// Statements read  [d<delay> ][<duration> ]name<operator>argument;
// with delays and durations in steps of 10 ms. The scenes follow the music:
// the times in the comments are seconds after PLAYMOD.

// ================================================================ the stage
// Everything is declared on the first step, in the order it is drawn:
// sky, lights, ground, models, and the sprites last, far ones first (a
// sprite's whole rectangle writes depth, so whatever is drawn after it
// behind it would be cut off). Things wait hidden (scale 0 or A=0).

// ---------------------------------------------------------------- waves
// Takt turns once per beat (0.4996 s at 120 bpm), Welle once in 4 s.
Takt:INTEGER(0);
-1 Takt*0.12577;
Welle:INTEGER(0);
-1 Welle*0.0157;
// Hub = 0.1 sin(Welle): the bob; Neigung = 0.03 cos(Welle): the roll;
// Puls = 0.6 + 0.4 cos(Takt): the burner's beat. (A set multiplies a
// variable, a combine adds to it.)
Hub:INTEGER(0);
-1 Hub=0;
-1 Hub*SIN(Welle);
-1 Hub=0.1;
Neigung:INTEGER(0);
-1 Neigung=0;
-1 Neigung*COS(Welle);
-1 Neigung=0.03;
Puls:INTEGER(0);
-1 Puls=0;
-1 Puls*COS(Takt);
-1 Puls=0.4;
-1 Puls*0.6;
// Weg: how far the fields have moved toward us; Tempo: by how much per step.
Weg:INTEGER(0);
Tempo:INTEGER(0);
Tempo*0.015;
-1 Weg*Tempo;
// Hoehe: where the ground lies below us; Kurs: the pan; Bogen: the orbit.
Hoehe:INTEGER(0);
Hoehe*-2.5;
Kurs:INTEGER(0);
Bogen:INTEGER(0);

// ---------------------------------------------------------------- the camera
// The view never moves, so the world does. The picture is as high as it is
// wide in view units, stretched to 4:3 on the screen: Base squeezes x by
// 3/4 so that round things look round.
Base.M=0.75,1,1;
// Kamera rolls and bobs; Ferne (sky and sun) turns with the pan and the
// orbit; Blick pans about the eye; Bahn orbits a point 5 units ahead.
Kamera:OBJECT(Rig);
-1 Kamera.M=2,Neigung;
-1 Kamera.M*0,Hub,0,1;
Ferne:OBJECT(Ferne);
Ferne.P=Kamera;
-1 Ferne.M=1,Kurs;
-1 Ferne.M*1,Bogen;
Blick:OBJECT(Blick);
Blick.P=Kamera;
-1 Blick.M=1,Kurs;
Bahn:OBJECT(Bahn);
Bahn.P=Blick;
-1 Bahn.M=0,0,5,1;
-1 Bahn.M*1,Bogen;
-1 Bahn.M*0,0,-5,+1;
Welt:OBJECT(Welt);
Welt.P=Bahn;
// a little ambient light for everything in the world
Welt.C*0.07,0.08,0.12,1;

// ---------------------------------------------------------------- lights
Sonnenlicht:LIGHT(1);
Sonnenlicht.D=-0.45,-0.6,-0.65;
Sonnenlicht.C=1,0.95,0.85;
Fuellicht:LIGHT(1);
Fuellicht.D=0.6,0.3,-0.5;
Fuellicht.C=0.25,0.3,0.45;
Brenner:LIGHT(0);
Brenner.C=0,0,0;

// ---------------------------------------------------------------- textures
Himmelstex:TEXTURE(textures\himmel.tex);
Meertex:TEXTURE(textures\meer.tex);
Abendtex:TEXTURE(textures\abend.tex);
Wiesentex:TEXTURE(textures\wiese.tex);
Laubtex:TEXTURE(textures\baum.tex);
Stofftex:TEXTURE(textures\stoff.tex);
Korbtex:TEXTURE(textures\korb.tex);
Rumpftex:TEXTURE(textures\rumpf.tex);
Dunsttex:TEXTURE(textures\dunst.tex);

// ---------------------------------------------------------------- sky and sun
// A sphere around the eye, lit by nothing: the colour transform gives every
// vertex white, so the texture shows as it is.
Himmel:MODEL(models\himmel.3ds);
Himmel.P=Ferne;
Himmel.T=Himmelstex;
Himmel.M=9.5;
Himmel.C=0;
Himmel.C*1,1,1,1;
Sonne:MODEL(models\kugel.3ds);
Sonne.P=Ferne;
Sonne.T=keine;
Sonne.M=0.45;
// 30 degrees up, 18 degrees right of ahead, in the middle of the sky's glow
Sonne.M*2.41,4.5,-7.41,+1;
Sonne.C=0;
Sonne.C*1,0.97,0.85,1;

// ---------------------------------------------------------------- the ground
// Fields in tiles 10 units wide and 3 deep; Flur moves them toward us (Weg), and the
// script takes them back by whole tiles (18 units), which nobody can see.
Flur:OBJECT(Flur);
Flur.P=Welt;
-1 Flur.M=0,Hoehe,+Weg,+1;
Boden:HEIGHTFIELD(Felder);
Boden.P=Flur;
Boden.M=10,1,3;
// (the tiles' edges are hedges: keep one out of the middle of the picture)
Boden.M*-3,0,0,+1;
Boden.T=Wiesentex;
// Two rows of trees, one pair per tile, hidden until the low flights.
Allee:OBJECT(Allee);
Allee.P=Flur;
Allee.M=0;
Allee.T=Laubtex;
L1:BAUM(5,0.2,0.07);
L1.P=Allee;
L1.M=-2.6,0,-3,+1;
L2:BAUM(5,0.2,0.07);
L2.P=Allee;
L2.M=-2.6,0,-6,+1;
L3:BAUM(5,0.2,0.07);
L3.P=Allee;
L3.M=-2.6,0,-9,+1;
L4:BAUM(5,0.2,0.07);
L4.P=Allee;
L4.M=-2.6,0,-12,+1;
L5:BAUM(5,0.2,0.07);
L5.P=Allee;
L5.M=-2.6,0,-15,+1;
L6:BAUM(5,0.2,0.07);
L6.P=Allee;
L6.M=-2.6,0,-18,+1;
L7:BAUM(5,0.2,0.07);
L7.P=Allee;
L7.M=-2.6,0,-21,+1;
L8:BAUM(5,0.2,0.07);
L8.P=Allee;
L8.M=-2.6,0,-24,+1;
L9:BAUM(5,0.2,0.07);
L9.P=Allee;
L9.M=-2.6,0,-27,+1;
R1:BAUM(5,0.2,0.07);
R1.P=Allee;
R1.M=2.8,0,-4.5,+1;
R2:BAUM(5,0.2,0.07);
R2.P=Allee;
R2.M=2.8,0,-7.5,+1;
R3:BAUM(5,0.2,0.07);
R3.P=Allee;
R3.M=2.8,0,-10.5,+1;
R4:BAUM(5,0.2,0.07);
R4.P=Allee;
R4.M=2.8,0,-13.5,+1;
R5:BAUM(5,0.2,0.07);
R5.P=Allee;
R5.M=2.8,0,-16.5,+1;
R6:BAUM(5,0.2,0.07);
R6.P=Allee;
R6.M=2.8,0,-19.5,+1;
R7:BAUM(5,0.2,0.07);
R7.P=Allee;
R7.M=2.8,0,-22.5,+1;
R8:BAUM(5,0.2,0.07);
R8.P=Allee;
R8.M=2.8,0,-25.5,+1;
R9:BAUM(5,0.2,0.07);
R9.P=Allee;
R9.M=2.8,0,-28.5,+1;

// ---------------------------------------------------------------- the models
// The balloon, with an arm that waves from the basket on the beat.
Fahrt:OBJECT(Fahrt);
Fahrt.P=Welt;
Fahrt.M=0;
Ballon:MODEL(models\ballon.3ds);
Ballon.P=Fahrt;
Huelle.T=Stofftex;
Gondel.T=Korbtex;
Schulter:OBJECT(Gondelrand);
Schulter.P=Gondel;
Schulter.M=0.3;
Schulter.M*0.2,-0.8,+0.25,+1;
Arm:SKELETT(Gruss);
Arm.P=Schulter;
Arm.T=keine;
Arm.C=1,0.8,0.7;
-1 Arm.M=2,Puls;
-1 Arm.M*2,-2.3;
// The airship.
Luftlinie:OBJECT(Luftlinie);
Luftlinie.P=Welt;
Luftlinie.M=0;
Luftschiff:MODEL(models\luftschiff.3ds);
Luftschiff.P=Luftlinie;
Rumpf.T=Rumpftex;
// The logo, and the burner light that beats inside it.
Halter:OBJECT(Logohalter);
Halter.P=Welt;
Halter.M=0;
Logo:MODEL(Logo);
Logo.P=Halter;
Logo.T=keine;
Brenner.P=Halter;

// A white ball to fly into: a cloud seen from inside.
Dunst:MODEL(models\kugel.3ds);
Dunst.P=Welt;
Dunst.T=Dunsttex;
Dunst.M=0;
Dunst.C=0.15;
Dunst.C*0.95,0.96,1,1;

// ---------------------------------------------------------------- sprites
// Clouds, far ones first; each keeps its rank in depth in every scene.
Wolke1:SPRITE(textures\wolke1.tex);
Wolke2:SPRITE(textures\wolke2.tex);
Wolke3:SPRITE(textures\wolke3.tex);
Wolke4:SPRITE(textures\wolke1.tex);
Wolke5:SPRITE(textures\wolke3.tex);
Wolke6:SPRITE(textures\wolke2.tex);
Wolke7:SPRITE(textures\wolke1.tex);
Wolke8:SPRITE(textures\wolke3.tex);
Wolke9:SPRITE(textures\wolke2.tex);
Wolke10:SPRITE(textures\wolke3.tex);
Wolke1.P=Welt;
Wolke2.P=Welt;
Wolke3.P=Welt;
Wolke4.P=Welt;
Wolke5.P=Welt;
Wolke6.P=Welt;
Wolke7.P=Welt;
Wolke8.P=Welt;
Wolke9.P=Welt;
Wolke10.P=Welt;
Wolke4.A=0;
Wolke5.A=0;
Wolke6.A=0;
Wolke7.A=0;
Wolke8.A=0;
Wolke9.A=0;
Wolke10.A=0;
// The titles: text lines ignore the squeeze (no parent) and start beyond
// the far end of the view, where they are not drawn.
Titel:STRING("Wolkenfahrt");
Titel.P=0;
Titel.M=1.5;
Titel.M*-1.155,+0.9,-11,+1;
Dank:STRING("Danke!");
Dank.P=0;
Dank.M=1.5;
Dank.M*-0.6,-0.7,-11,+1;

Musik:AUDIO(music\wolkenfahrt.mod);

// ============================================================== the flight
// ------------------------------------------------ @ 0: intro, wind and pads
// Gliding over the fields; the title comes toward us from far away.
PLAYMOD();
Wolke1.M=4;
Wolke1.M*-7,+1.0,-8.5,+1;
800 Wolke1.M*0.002,0,0.002,1;
Wolke2.M=4;
Wolke2.M*1.0,2.2,-8,+1;
800 Wolke2.M*0.002,0,0.002,1;
Wolke3.M=3;
Wolke3.M*-4.5,+0.6,-6.5,+1;
800 Wolke3.M*0.003,0,0.003,1;
640 Titel.M*0,0,0.0133,1;
d640 150 Titel.M*0,0.02,0,1;

// ------------------------------------------------ @ 7.99: bells, the balloon rises
// It comes up from below, then climbs with us: the fields fall away.
d159 Fahrt.M=1.1;
Fahrt.M*1.3,-7.5,-6,+1;
400 Fahrt.M*0,0.0158,0,1;
Tempo=0.5;
Brenner.P=Fahrt;
Brenner.X=0,0.3,1.3;
-1 Brenner.C=1,0.55,0.2;
-1 Brenner.C*Puls;
800 Wolke1.M*0,0,0.002,1;
800 Wolke2.M*0,0,0.002,1;
800 Wolke3.M*0,0,0.003,1;
d400 400 Hoehe*-0.011;
400 Wolke1.M*0,-0.008,0,+1;
400 Wolke2.M*0,-0.008,0,+1;
400 Wolke3.M*0,-0.008,0,+1;

// ------------------------------------------------ @ 15.99: beat and bass, low over the trees
d400 Hoehe=0;
Hoehe*-1.4;
Tempo=0;
Tempo*0.05;
Weg=0;
Weg*1;
Allee.M=1;
Fahrt.M=0;
Brenner!;
d1 Brenner.C=0,0,0;
Wolke1.M=4;
Wolke1.M*-6,+2.5,-9,+1;
800 Wolke1.M*0.004,0,0.004,1;
Wolke2.M=4;
Wolke2.M*1.5,3.2,-8.5,+1;
800 Wolke2.M*0.004,0,0.004,1;
Wolke3.A=0;
d359 Weg*-18;
d360 Weg*-18;

// ------------------------------------------------ @ 23.98: verse, the airship, tracked by a pan
d79 Weg=0;
Weg*1;
Tempo=0;
Tempo*0.02;
Hoehe=0;
Hoehe*-1.8;
Kurs*0.22;
800 Kurs*-0.00055;
Luftlinie.M=1,2;
Luftlinie.M*1.3;
Luftlinie.M*6,0.6,-6.5,+1;
800 Luftlinie.M*-0.015,0,0,+1;

// ------------------------------------------------ @ 31.97: lead theme A, above the clouds, the logo
d799 Himmel.T=Meertex;
Hoehe=0;
Hoehe*-20;
Tempo=0;
Allee.M=0;
Kurs=0;
Luftlinie.M=0;
Halter.M=1.7;
Halter.M*0,0,-5,+1;
Brenner.P=Halter;
Brenner.X=0,0,0;
-1 Brenner.C=1,0.55,0.2;
-1 Brenner.C*Puls;
-1 Logo.M*2,0.004;
800 Bogen*-0.004;
Wolke1.M=4;
Wolke1.M*-5,-3,-12,+1;
Wolke2.M=4;
Wolke2.M*3,-3.5,-10,+1;
Wolke3.A=1;
Wolke3.M=4;
Wolke3.M*-6,-2.5,-6,+1;
Wolke4.A=1;
Wolke4.M=4;
Wolke4.M*4,-3,-3,+1;
Wolke5.A=1;
Wolke5.M=3;
Wolke5.M*-2,-2.5,-1,+1;
Wolke6.A=1;
Wolke6.M=3;
Wolke6.M*0.5,-3,+1,+1;

// ------------------------------------------------ @ 39.97: lead theme A', the logo comes apart
// the airship crosses behind the logo
d800 800 Bogen*-0.005;
-1 Innen-C.M*1,0.02;
Luftlinie.M=1.1;
Luftlinie.M*-7,+1.8,-11,+1;
800 Luftlinie.M*0.018,0,0,1;
-1 Aussenring.M*0,0.008;

// ------------------------------------------------ @ 47.96: theme B, around the balloon
d799 Halter.M=0;
Luftlinie.M=0;
Innen-C!;
Aussenring!;
Fahrt.M=1.1;
Fahrt.M*0,-0.2,-5,+1;
Brenner.X=0,0,0;
Brenner.P=Fahrt;
Brenner.X=0,0.3,1.3;
800 Bogen*-0.003;

// ------------------------------------------------ @ 55.95: fill, into the fog
d799 Bogen=0;
Fahrt.M*0,0,-3,+1;
Wolke3.A=0;
Wolke4.A=0;
Wolke5.A=0;
Wolke6.A=0;
Dunst.M=4;
Dunst.M*0.3,-0.3,-14,+1;
400 Dunst.M*0,0,0.03,1;

// ------------------------------------------------ @ 59.95: break, still above the clouds
d400 Dunst.M=0;
Wolke3.A=1;
Wolke4.A=0;
Wolke5.A=0;
Wolke6.A=0;
Wolke1.M=4;
Wolke1.M*-5,-2.5,-9,+1;
Wolke2.M=4;
Wolke2.M*1.5,-3,-8,+1;
Wolke3.M=3;
Wolke3.M*-1.5,-2.2,-5,+1;
800 Wolke1.M*0.001,0,0,1;
800 Wolke2.M*0.001,0,0,1;
800 Wolke3.M*0.0015,0,0,1;
Fahrt.M=0.5;
Fahrt.M*3,-0.5,-9,+1;
800 Fahrt.M*-0.006,+0.001,0,+1;
800 Kurs*0.0002;
Brenner!;
d1 Brenner.C=0,0,0;

// ------------------------------------------------ @ 67.94: build-up, down through the clouds
d798 Kurs=0;
Fahrt.M=0;
Wolke1.M=5;
Wolke1.M*-5,-2.5,-24,+1;
Wolke2.M=5;
Wolke2.M*1,-2,-22,+1;
Wolke3.M=5;
Wolke3.M*-3,-1.2,-20,+1;
Wolke4.M=5;
Wolke4.M*2.5,-2.4,-18,+1;
Wolke5.M=4.5;
Wolke5.M*-4.5,-2.8,-16,+1;
Wolke6.M=4.5;
Wolke6.M*0,-1.4,-14,+1;
Wolke7.M=4.5;
Wolke7.M*-2,-3,-12,+1;
Wolke8.M=4;
Wolke8.M*1.8,-1.6,-10,+1;
Wolke9.M=4;
Wolke9.M*-3.5,-2,-8,+1;
Wolke10.M=4;
Wolke10.M*0.5,-2.6,-6,+1;
Wolke4.A=1;
Wolke5.A=1;
Wolke6.A=1;
Wolke7.A=1;
Wolke8.A=1;
Wolke9.A=1;
Wolke10.A=1;
Dunst.M=4;
Dunst.M*0,-4.8,-21.9,+1;
200 Welt.M*0,0.002,0.015,1;
d200 200 Welt.M*0,0.004,0.025,1;
d200 200 Welt.M*0,0.01,0.035,1;
d200 200 Welt.M*0,0.012,0.045,1;

// ------------------------------------------------ @ 75.94: finale, low and fast, all together
d200 Welt.M=;
Dunst.M=0;
Wolke3.A=0;
Wolke4.A=0;
Wolke5.A=0;
Wolke6.A=0;
Wolke7.A=0;
Wolke8.A=0;
Wolke9.A=0;
Wolke10.A=0;
Himmel.T=Himmelstex;
Hoehe=0;
Hoehe*-1.4;
Weg=0;
Weg*1;
Tempo*0.05;
Allee.M=1;
Fahrt.M=0.9;
Fahrt.M*-2.6,+0.4,-7,+1;
Luftlinie.M=1,2;
Luftlinie.M*0.9;
Luftlinie.M*5,2.2,-8.5,+1;
800 Luftlinie.M*-0.006,0,0,+1;
Halter.M=0.8;
Halter.M*1.5,1.8,-6,+1;
Brenner.P=Fahrt;
Brenner.X=0,0.3,1.3;
-1 Brenner.C=1,0.55,0.2;
-1 Brenner.C*Puls;
Wolke1.M=4;
Wolke1.M*-6,+2.5,-9,+1;
Wolke2.M=4;
Wolke2.M*1.5,3.2,-8.5,+1;
Wolke3.A=0;
d360 Weg*-18;
d360 Weg*-18;

// ------------------------------------------------ @ 83.93: finale, theme B, climbing with the balloon
d79 Weg=0;
Weg*1;
Tempo=0;
Tempo*0.02;
800 Hoehe*-0.0035;
-1 Kurs=0;
-1 Kurs*SIN(Welle);
-1 Kurs=0.1;
300 Halter.M*0,0,0.012,1;

// ------------------------------------------------ @ 91.92: outro, dusk
// (the stop of Kurs removes the statements of that name that are active;
// the new value waits a step, or it would be removed with them)
d799 Kurs!;
d1 Kurs=0;
// high above the fields now: only the painted land is seen
Hoehe=0;
Hoehe*-12;
Tempo=0;
Halter.M=0;
Luftlinie.M=0;
Allee.M=0;
Wolke1.A=0;
Wolke2.A=0;
Himmel.T=Abendtex;
700 Himmel.C*0.9993;
900 Sonne.C*1,0.9992,0.998;
// the sun low in the dusk glow, setting
Sonne.M=0.45;
Sonne.M*2.7,1.3,-8.45,+1;
600 Sonne.M*0,-0.0015,0,+1;
700 Welt.C*0.9993;
600 Fahrt.M*0.004,0.002,-0.003,+1;
600 Dank.M*0,0,0.014,1;

// ------------------------------------------------ @ 98.93: the lights go out
d700 200 Base.C*0.975;

// ------------------------------------------------ @ 101.03: the end
d210 STOPMOD();
Schluss:ENDE("Danke fürs Mitfliegen!");
