Grüße:OBJECT(Base);
﻿X.M=1;
