Grьяe:OBJECT(Base);
Grьяe.д=1;
