class { }
