// Wolkenfahrt – eine Reise durch die Wolken.
//
// Statements read  [d<delay> ][<duration> ]name<operator>argument;
// with delays and durations in steps of 10 ms. The scenes follow the music:
// the times in the comments are seconds after PLAYMOD.

// ---------------------------------------------------------------- the stage
Sonne:LIGHT(1);
Sonne.C=1,0.95,0.85;
Fuellicht:LIGHT(1);
Fuellicht.D=0.3,0.2,-1;
Fuellicht.C=0.25,0.3,0.45;

Himmelstex:TEXTURE(textures\himmel.tex);
Wiesentex:TEXTURE(textures\wiese.tex);
Stofftex:TEXTURE(textures\stoff.tex);
Rumpftex:TEXTURE(textures\rumpf.tex);
Wattetex:TEXTURE(textures\watte.tex);

// The sky: a flat box at the far end of the view.
Himmel:MODEL(models\himmel.3ds);
// (Scaling keeps the front face's normal at length 1, so it is fully lit.)
Himmel.M=24,24,1;
Himmel.M*0,0,-9.4,1;
Himmel.T=Himmelstex;
// Weighed below the echo filter of the break, so the filter echoes the sky.
Himmel.W=-30;

Boden:HEIGHTFIELD(Felder);
Boden.M=0,-2.5,0,1;
Boden.T=Wiesentex;

Sonnenglanz:SPRITE(Flare);
Sonnenglanz.M=9;
Sonnenglanz.M*2.6,2.3,-5,1;

// Clouds drifting by at different depths: soft puffs, and one far
// shimmer of coloured cloud.
Wolke1:MODEL(models\wolke.3ds);
Wolke1.T=Wattetex;
Wolke1.M=1.6,0.7,1;
Wolke1.M*-6,1.5,-5,1;
-1 Wolke1.M*0.0016,0,0,1;
Wolke2:MODEL(models\wolke.3ds);
Wolke2.T=Wattetex;
Wolke2.M=2.4,0.9,1.2;
Wolke2.M*-3,-0.8,-7,1;
-1 Wolke2.M*0.0011,0,0,1;
Wolke3:MODEL(models\wolke.3ds);
Wolke3.T=Wattetex;
Wolke3.M=1,0.5,0.8;
Wolke3.M*-9,0.3,-3.5,1;
-1 Wolke3.M*0.0024,0,0,1;
Wolke4:MODEL(models\wolke.3ds);
Wolke4.T=Wattetex;
Wolke4.M=3,1,1.5;
Wolke4.M*-2,3.2,-8.5,1;
-1 Wolke4.M*0.0008,0,0,1;
Schimmer:SPRITE(Cloud);
Schimmer.M=4;
Schimmer.M*-4,2.6,-8,1;
-1 Schimmer.M*0.0005,0,0,1;

Zeit:INTEGER(0);
-1 Zeit*0.02;

Titel:STRING("Wolkenfahrt");
Titel.M=1.2;
Titel.M*-1.45,0.3,-2,1;

Musik:AUDIO(music\wolkenfahrt.mod);

// The clouds have been drifting for a while when the show begins.
Vorlauf:START(300);

// ------------------------------------------------------ 0 s: intro, pads
d301 PLAYMOD();
Fahrt:OBJECT(Reise);
Fahrt.M=0.9,-4.6,-5,1;
Ballon:MODEL(models\ballon.3ds);
Ballon.P=Fahrt;
Huelle.T=Stofftex;
-1 Ballon.M*1,0.003;
Brenner:LIGHT(0);
Brenner.P=Fahrt;
Brenner.X=0,0.3,0.7;
Brenner.C=0,0,0;

// ------------------------------------------------ 8 s: bells, the balloon rises
d799 800 Fahrt.M*0,0.0045,0,1;
300 Titel.M*0,0.012,0,1;

// ------------------------------------------------ 16 s: beat and bass
d800 Brenner.C=1,0.55,0.2;
Eiche:BAUM(7,0.2,0.03);
Eiche.M=-3.3,-2.5,-6.5,1;
Birke:BAUM(6,0.16,0.025);
Birke.M=3,-2.5,-6,1;

// ------------------------------------------------ 24 s: verse, the airship
d799 Bahn:OBJECT(Luftlinie);
Bahn.M=-10,1.9,-7,1;
Luftschiff:MODEL(models\luftschiff.3ds);
Luftschiff.P=Bahn;
Rumpf.T=Rumpftex;
2400 Bahn.M*0.006,0,0,1;

// ------------------------------------------------ 32 s: lead theme, the logo
d799 Halter:OBJECT(Logohalter);
Halter.M=-1.6,1.1,-5,1;
Logo:MODEL(Logo);
Logo.P=Halter;
-1 Logo.M=1,Zeit;
-1 Logo.C=+SIN(Zeit),+0.3,+COS(Zeit),1;

// ------------------------------------------------ 40 s: theme again, the burner roars
d800 400 Brenner.C*1.002;

// ------------------------------------------------ 48 s: theme B, a wave from the gondola
d799 Schulter:OBJECT(Gondelrand);
Schulter.P=Fahrt;
Schulter.M=0.35;
Schulter.M*0.25,-0.9,0.3,1;
Arm:SKELETT(Gruss);
Arm.P=Schulter;
-1 Arm.M=2,SIN(Zeit);

// ------------------------------------------------ 56 s: fill
d799 400 Fahrt.M*0,0.001,0,1;

// ------------------------------------------------ 60 s: break, an echo of the sky
d400 Echo:FILTER(Schlieren);
Halter.A=0;
Aussenring.A=0;
Innen-C.A=0;

// ------------------------------------------------ 68 s: build-up, the echo fades
d799 Echo.A=0;
Aussenring.A=1;
Innen-C.A=1;
800 Halter.M*0,0,0.003,1;

// ------------------------------------------------ 76 s: finale, faster clouds, warmer sun
d800 Wolke1!;
Wolke2!;
Wolke3!;
-1 Wolke1.M*0.005,0,0,1;
-1 Wolke2.M*0.0035,0,0,1;
-1 Wolke3.M*0.007,0,0,1;
Sonne.C=1,0.8,0.55;
Wolke5:MODEL(models\wolke.3ds);
Wolke5.T=Wattetex;
Wolke5.M=1.4,0.6,1;
Wolke5.M*-8,-1.4,-4,1;
-1 Wolke5.M*0.006,0,0,1;

// ------------------------------------------------ 84 s: finale, theme B
d799 800 Fahrt.M*0,0.0012,0,1;
Arm!;
-1 Arm.M=2,COS(Zeit);

// ------------------------------------------------ 92 s: outro, dusk
d799 900 Base.C*0.996;
Dank:STRING("Danke!");
Dank.M=1.5;
Dank.M*-0.62,-0.9,-2,1;

// ------------------------------------------------ 101 s: the end
d900 STOPMOD();
MESSAGE("Wolkenfahrt – Musik, Modelle und Texturen aus dem eigenen Werkzeugkasten.");
Schluss:ENDE("Danke fürs Mitfliegen!");
