Ring:OBJECT(Base);
d100 50 Ring.M*0,0.02;
Ring.p=Base;
