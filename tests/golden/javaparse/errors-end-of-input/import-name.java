import a
