###
\title{"Widgets"}
\options{\depth{3} \owner{B.C}}
###
\empty{}
class A { D d; }
