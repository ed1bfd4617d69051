### \a{1} \b{x.y} \c{\d{true} \e{}}
### \f{"s"}
