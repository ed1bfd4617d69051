class M {}
