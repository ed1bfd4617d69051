interface I { public ; }
