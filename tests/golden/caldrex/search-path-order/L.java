class L { M m; N n; }
