package a.
