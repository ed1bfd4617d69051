class J { K k; }
