class A { void f() { try { } catch (E e) { } catch (F f) { } finally { } } }
