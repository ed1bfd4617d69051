public ;
