class L { q.R r; }
