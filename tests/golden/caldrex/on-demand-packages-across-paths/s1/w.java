class w { }
