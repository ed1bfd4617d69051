#!/usr/bin/env bash
# caldrex on generated inputs whose size grows, to show how its time and peak
# memory scale: each shape runs at its size n and at 4n, and a line shows
# both runs side by side with the two ratios 4n/n (about 4 where the cost is
# linear, about 16 where it is quadratic). The shapes:
#   chain      n files C0.java ... each naming the next, one directory;
#   packages   n files in package a.b.c.d.e.f, each importing java.util.*,
#              extending Object, naming the next and using a qualified chain;
#   unit       n files U0.java ... given on the command line, which makes
#              them one compilation unit of n classes, each naming the next
#              (each file is then found and parsed again on its own);
#   fields     one class of n fields, each initialised from the one before;
#   dotted     one class whose field is initialised from a dotted name of n
#              components (a.a.a...), none of whose prefixes names a file;
#   nested     n classes nested in one another, each with ten fields, the
#              innermost field initialised from a field of the outermost;
#   samename   one class with n fields of the same name and n uses of it;
#   samemethod as samename, with a method of the same name too;
#   dupclass   n classes of the same name and a class that uses it n times;
#   qualified  a field q defined n times and n uses q.x;
#   subclass   a class of n fields and n subclasses, each using one of the
#              fields as the qualifier of a name (f3.v), which looks it up;
#   extends    a chain of n classes, each extending the one before and
#              using the field of the first as a qualifier (x.v);
#   nestedtype as nested, each level's fields of a type of its own that
#              nothing declares;
#   dupscopes  one class with n fields of the same name, used in n methods
#              that each declare a local;
#   bigsuper   a class of n fields extended by one that uses them all;
#   subchain   n classes, each extending the one before with ten fields, and
#              a last one using every class's fields through this, super and
#              a variable;
#   manysubs   a class of n fields and n/10 subclasses, each using one field
#              plainly and through this;
#   varsoftype n variables of a class type whose class has n/10 fields and a
#              superclass, each variable used once as a qualifier;
#   interfaces n interfaces, each extending the one before with a constant,
#              and a class implementing the last that uses every constant;
#   thissuper  a class of n fields and a subclass of n methods, each using
#              this.f and super.f;
#   ondemand   200 on-demand imports (half of packages that exist, in one of
#              four search directories) and n unresolved type names;
#   packages-k n on-demand imports (half of packages that exist) and 400
#              unresolved type names;
#   imports    n single-type imports (half with a file) and n names that
#              use them, each name a different import;
#   closure    n files, each importing 20 on-demand packages that do not
#              exist and using ten unresolved names and the next file;
#   longnames  n distinct dotted names of eight components, none with a file;
#   flat       one class of n fields and n methods, each method returning its
#              number;
#   memberext  n classes, each extending the one before, each with a member
#              class extending the same superclass (a name found among the
#              inherited members);
#   memberface as memberext with a member interface that extends the member
#              interface inherited from the superclass and the last of a
#              chain of n interfaces;
#   memberdeep as memberext with the member class one level deeper, inside
#              a member class of its own;
#   inherited  n classes, each extending the one before, each with a member
#              class extending the member class that the superclass declares;
#   facemember n interfaces, each extending the one before, each with a
#              member interface extending the same superinterface;
#   memberuse  as memberext, the member class and an anonymous subclass of
#              the superclass each using the first class's field;
#   memberrev  memberext written the other way round, each class before its
#              superclass;
#   splitup    a chain of n classes, each extending the one before with four
#              fields, a member class and a field of the member class it
#              inherits, then a subclass of each class of the chain, from the
#              first up, with four fields, a field of an inherited member
#              class and one of a type nothing declares;
#   cyclebranch two classes that extend each other, then n classes, each
#              extending the one before and implementing an interface that
#              extends it, each with a member class and a field of the
#              member class it inherits;
#   cyclechain two classes that extend each other, then a chain of n classes,
#              each extending the one before, with a member class, a field
#              of the inherited member class and one of a type nothing
#              declares;
#   cycleface  two interfaces that extend each other, then n interfaces,
#              each extending the two before, with a constant initialised
#              from an inherited one and a field of an inherited member type;
#   cyclemember two classes that extend each other's member classes, then n
#              classes, each extending a member class of the one before, with
#              a member class of its own extending that class;
#   cyclefield two classes that extend each other, the first with a member
#              class and a field of it, then a chain of n classes, each using
#              that inherited field as a qualifier (p0.q);
#   cycle      one cycle of n classes, each extending the next, with a member
#              class and a field of the next one's member class (every class
#              is on the cycle, and its members depend on where the cycle is
#              entered: the cost is allowed to grow with the square of n).
#   facechain  n interfaces, each extending the one before, each with a
#              member class extending the member class of the one before,
#              and a class implementing the last interface;
#   faceback   facechain written the other way round, the class first and
#              each interface before the one it extends;
#   classface  n classes, each extending the one before, each with a member
#              interface extending the member interface of the one before,
#              and an interface extending the last member interface;
#   memberfield n classes, each extending the one before, each declaring a
#              member class K and a field of type K (the K it declares
#              hides the one it inherits);
#   nestdeep   a chain of n classes, each extending the one before with a
#              member class extending the one it inherits, and a class whose
#              member classes, nested n deep, each extend a class of the
#              chain and use its inherited member class and field.
#   memberfback memberfield written the other way round, each class before
#              its superclass;
#   memberfface memberfield with every class also implementing an interface
#              that declares a constant;
#   memberflong as memberfface with an interface of 100 constants (a long
#              list, whose unions are kept apart from those with short ones).
# Sizes are scaled by FACTOR (default 1); the generated files go to a
# temporary directory. SHAPES, a list of shape names, runs only those.
#
#   tools/bench/caldrex-scale.sh [BUILD_DIR] [FACTOR]    (build/release, 1)
#   BEFORE=/path/to/other/caldrex [LIMIT=SECONDS] tools/bench/caldrex-scale.sh ...
#
# With BEFORE, each shape is also run by that program (its line is marked
# "before"), and its five lists, standard output, standard error and exit
# status are compared with those of the build's program: "same" or
# "DIFFERENT" ends the line. A run of BEFORE that takes more than LIMIT
# seconds (default 60: some shapes take it days) is stopped and shown as
# such, and its lists are not compared. A run that fails (any exit status
# but 0, or a crash) stops the script with status 1 and names the run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
fail() { echo "caldrex-scale.sh: $*" >&2; exit 1; }
build=${1:-$root/build/release}
[ -d "$build" ] || fail "no build directory $build"
build=$(cd "$build" && pwd)
factor=${2:-1}
caldrex=$build/bin/caldrex
before=${BEFORE:-}
limit=${LIMIT:-60}
[ -x "$caldrex" ] || fail "no $caldrex (build the release preset first)"
[ -z "$before" ] || [ -x "$before" ] || fail "BEFORE: no program $before"
case $factor in '' | *[!0-9.]*) fail "the size factor must be a number: $factor" ;; esac
[ -x /usr/bin/time ] || fail "/usr/bin/time is needed for the peak memory"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Every generator: DIR N; it writes the shape into DIR (made here) and the
# arguments of the run, one a line, into DIR/args.
gen_chain() {
  (cd "$1" && awk -v n="$2" 'BEGIN {
    for (i = 0; i < n; i++) {
      f = "C" i ".java"
      if (i < n - 1) print "class C" i " { C" (i + 1) " n; }" > f; else print "class C" i " { Missing m; }" > f
      close(f) } }')
  echo C0.java > "$1/args"
}
gen_packages() {
  mkdir -p "$1/a/b/c/d/e/f"
  (cd "$1" && awk -v n="$2" 'BEGIN {
    for (i = 0; i < n; i++) {
      f = "a/b/c/d/e/f/C" i ".java"
      print "package a.b.c.d.e.f;\nimport java.util.*;" > f
      if (i < n - 1) print "public class C" i " extends Object { C" (i + 1) " n; void m(C" i " x) { x.n.n.hashCode(); } }" > f
      else print "public class C" i " { Missing m; }" > f
      close(f) } }')
  echo a/b/c/d/e/f/C0.java > "$1/args"
}
gen_unit() {
  (cd "$1" && awk -v n="$2" 'BEGIN {
    for (i = 0; i < n; i++) { f = "U" i ".java"; print "class U" i " { U" ((i + 1) % n) " n; }" > f; close(f) } }')
  seq 0 $(($2 - 1)) | sed 's/.*/U&.java/' > "$1/args"
}
gen_fields() {
  awk -v n="$2" 'BEGIN { print "class Big {"; print "int f0;"
    for (i = 1; i < n; i++) print "int f" i " = f" (i - 1) ";"; print "}" }' > "$1/Big.java"
  echo Big.java > "$1/args"
}
gen_dotted() {
  awk -v n="$2" 'BEGIN { printf "class Long { Object o = a"
    for (i = 1; i < n; i++) printf ".a"; print "; }" }' > "$1/Long.java"
  echo Long.java > "$1/args"
}
gen_nested() {
  awk -v d="$2" 'BEGIN { for (l = 0; l < d; l++) { printf "class N%d { ", l; for (j = 0; j < 10; j++) printf "X f%d_%d; ", l, j }
    printf "Y z = f0_1;"; for (l = 0; l < d; l++) printf " }"; print "" }' > "$1/Nested.java"
  echo Nested.java > "$1/args"
}
gen_samename() {
  awk -v n="$2" 'BEGIN { print "class A {"; for (i = 0; i < n; i++) print "X a;"
    print "void m() {"; for (i = 0; i < n; i++) print "a.f();"; print "} }" }' > "$1/Same.java"
  echo Same.java > "$1/args"
}
gen_samemethod() {
  awk -v n="$2" 'BEGIN { print "class A {"; for (i = 0; i < n; i++) print "X a;"; print "void a() {}"
    print "void m() {"; for (i = 0; i < n; i++) print "a.f();"; print "} }" }' > "$1/Dup.java"
  echo Dup.java > "$1/args"
}
gen_dupclass() {
  awk -v n="$2" 'BEGIN { for (i = 0; i < n; i++) print "class D { int f; }"
    print "class U { void m() {"; for (i = 0; i < n; i++) print "new D().f = " i ";"; print "} }" }' > "$1/Dup.java"
  echo Dup.java > "$1/args"
}
gen_qualified() {
  awk -v n="$2" 'BEGIN { print "class Q {"; for (i = 0; i < n; i++) print "R q;"
    print "void m() {"; for (i = 0; i < n; i++) print "q.x" i " = q.y;"; print "} }" }' > "$1/Q.java"
  echo Q.java > "$1/args"
}
gen_subclass() {
  awk -v n="$2" 'BEGIN { print "class Big {"; for (i = 0; i < n; i++) print "R f" i ";"; print "}"
    for (i = 0; i < n; i++) print "class S" i " extends Big { void m() { f" i ".v = 1; } }" }' > "$1/Sub.java"
  echo Sub.java > "$1/args"
}
gen_extends() {
  awk -v n="$2" 'BEGIN { print "class E0 { R x; }"
    for (i = 1; i < n; i++) print "class E" i " extends E" (i - 1) " { void m() { x.v = " i "; } }" }' > "$1/Ext.java"
  echo Ext.java > "$1/args"
}
gen_nestedtype() {
  awk -v d="$2" 'BEGIN {
    for (l = 0; l < d; l++) { printf "class N%d { ", l; for (j = 0; j < 10; j++) printf "T%d f%d_%d; ", l, l, j }
    printf "Y z = f0_1;"; for (l = 0; l < d; l++) printf " }"; print "" }' > "$1/N.java"
  echo N.java > "$1/args"
}
gen_dupscopes() {
  awk -v n="$2" 'BEGIN { print "class A {"; for (i = 0; i < n; i++) print "X a;"
    for (i = 0; i < n; i++) print "void m" i "() { int y; a.f(); }"; print "}" }' > "$1/Dup.java"
  echo Dup.java > "$1/args"
}
gen_bigsuper() {
  awk -v n="$2" 'BEGIN { print "class B {"; for (i = 0; i < n; i++) print "int f" i ";"; print "}"
    print "class A extends B { void m() {"; for (i = 0; i < n; i++) print "f" i " = f" (n - 1 - i) ";"; print "} }" }' \
    > "$1/Big.java"
  echo Big.java > "$1/args"
}
gen_subchain() {
  awk -v d="$2" 'BEGIN { print "class C0 { int g0; }"
    for (l = 1; l < d; l++) { printf "class C%d extends C%d {", l, l - 1
      for (j = 0; j < 10; j++) printf " int g%d_%d;", l, j; print " }" }
    printf "class Z extends C%d { C%d c; void m() {\n", d - 1, d - 1
    for (l = 1; l < d; l++) print "this.g" l "_1 = super.g" l "_2 + c.g" l "_3 + g0;"; print "} }" }' > "$1/Chain.java"
  echo Chain.java > "$1/args"
}
gen_manysubs() {
  awk -v n="$2" 'BEGIN { print "class B {"; for (i = 0; i < n; i++) print "int f" i ";"; print "}"
    for (i = 0; i < n / 10; i++) print "class S" i " extends B { int x = f" i " + this.f" i "; }" }' > "$1/Subs.java"
  echo Subs.java > "$1/args"
}
gen_varsoftype() {
  awk -v n="$2" 'BEGIN { m = int(n / 10); print "class P { int p; }"
    print "class C extends P {"; for (i = 0; i < m; i++) print "int f" i ";"; print "}"
    print "class A {"; for (i = 0; i < n; i++) print "C c" i ";"
    print "void m() {"; for (i = 0; i < n; i++) print "c" i ".f" (i % m) " = 1;"; print "} }" }' > "$1/Vars.java"
  echo Vars.java > "$1/args"
}
gen_interfaces() {
  awk -v d="$2" 'BEGIN { print "interface I0 { int K0 = 0; }"
    for (l = 1; l < d; l++) print "interface I" l " extends I" (l - 1) " { int K" l " = " l "; }"
    print "class A implements I" (d - 1) " { void m() {"
    for (l = 0; l < d; l++) print "int y" l " = K" l " + A.K" l ";"; print "} }" }' > "$1/Ifaces.java"
  echo Ifaces.java > "$1/args"
}
gen_thissuper() {
  awk -v n="$2" 'BEGIN { print "class B {"; for (i = 0; i < n; i++) print "int f" i ";"; print "}"
    print "class A extends B {"; for (i = 0; i < n; i++) print "void m" i "() { this.f" i " = super.f" i "; }"; print "}" }' \
    > "$1/This.java"
  echo This.java > "$1/args"
}
# K on-demand imports, every second one of a package p<i> with a file in s2
# (search path s1:s2:absent -cp s3), and M unresolved names.
gen_wildcards() {  # DIR K M
  mkdir -p "$1/s1" "$1/s2" "$1/s3"
  (cd "$1" && awk -v k="$2" -v m="$3" 'BEGIN {
    for (i = 0; i < k; i += 2) { system("mkdir -p s2/p" i); f = "s2/p" i "/Have" i ".java"; print "package p" i "; class Have" i " {}" > f; close(f) }
    for (i = 0; i < k; i++) print "import p" i ".*;" > "Main.java"
    print "class Main {" > "Main.java"
    for (j = 0; j < m; j++) print "  Unknown" j " f" j ";" > "Main.java"
    print "}" > "Main.java" }')
  printf '%s\n' -sp s1:s2:absent -cp s3 Main.java > "$1/args"
}
gen_ondemand() { gen_wildcards "$1" 200 "$2"; }
gen_packages_k() { gen_wildcards "$1" "$2" 400; }
gen_imports() {
  (cd "$1" && awk -v n="$2" 'BEGIN {
    for (i = 0; i < n; i += 2) { system("mkdir -p q" i); f = "q" i "/T" i ".java"; print "package q" i "; class T" i " {}" > f; close(f) }
    for (i = 0; i < n; i++) print "import q" i ".T" i ";" > "Main.java"
    print "class Main {" > "Main.java"
    for (i = 0; i < n; i++) print "  T" i " f" i ";" > "Main.java"
    print "}" > "Main.java" }')
  echo Main.java > "$1/args"
}
gen_closure() {
  (cd "$1" && awk -v n="$2" 'BEGIN {
    for (i = 0; i < n; i++) {
      f = "F" i ".java"
      for (k = 0; k < 20; k++) print "import absent" k ".pkg.*;" > f
      printf "class F%d { ", i > f
      for (j = 0; j < 10; j++) printf "Unknown%d u%d; ", (i * 10 + j) % 997, j > f
      if (i < n - 1) print "F" (i + 1) " next; }" > f; else print "}" > f
      close(f) } }')
  echo F0.java > "$1/args"
}
gen_longnames() {
  awk -v n="$2" 'BEGIN { print "class L {"
    for (i = 0; i < n; i++) print "  org.example.deep.name.space.of.long" i ".Type" i " f" i ";"; print "}" }' > "$1/L.java"
  echo L.java > "$1/args"
}
gen_flat() {
  awk -v n="$2" 'BEGIN { print "class F {"; for (i = 0; i < n; i++) print "int a" i ";"
    for (i = 0; i < n; i++) print "int b" i "() { return " i "; }"; print "}" }' > "$1/F.java"
  echo F.java > "$1/args"
}
gen_memberext() {
  awk -v n="$2" 'BEGIN { print "class T0 { int f0; }"
    for (i = 1; i < n; i++) print "class T" i " extends T" (i - 1) " { class In" i " extends T" (i - 1) " { } }" }' > "$1/T.java"
  echo T.java > "$1/args"
}
gen_memberface() {
  awk -v n="$2" 'BEGIN { print "interface I0 { int K0 = 0; }"; print "class T0 { interface J0 { } }"
    for (i = 1; i < n; i++) { print "interface I" i " extends I" (i - 1) " { }"
      print "class T" i " extends T" (i - 1) " { interface J" i " extends J" (i - 1) ", I" (i - 1) " { } }" } }' > "$1/T.java"
  echo T.java > "$1/args"
}
gen_memberdeep() {
  awk -v n="$2" 'BEGIN { print "class T0 { int f0; }"
    for (i = 1; i < n; i++) print "class T" i " extends T" (i - 1) " { class A" i " { class B" i " extends T" (i - 1) " { } } }" }' \
    > "$1/T.java"
  echo T.java > "$1/args"
}
gen_inherited() {
  awk -v n="$2" 'BEGIN { print "class T0 { class In0 { } }"
    for (i = 1; i < n; i++) print "class T" i " extends T" (i - 1) " { class In" i " extends In" (i - 1) " { } }" }' > "$1/T.java"
  echo T.java > "$1/args"
}
gen_facemember() {
  awk -v n="$2" 'BEGIN { print "interface I0 { int K0 = 0; }"
    for (i = 1; i < n; i++) print "interface I" i " extends I" (i - 1) " { interface J" i " extends I" (i - 1) " { } }" }' > "$1/I.java"
  echo I.java > "$1/args"
}
gen_memberrev() {
  awk -v n="$2" 'BEGIN { for (i = n - 1; i > 0; i--) print "class T" i " extends T" (i - 1) " { class In" i " extends T" (i - 1) " { } }"
    print "class T0 { int f0; }" }' > "$1/T.java"
  echo T.java > "$1/args"
}
gen_splitup() {
  awk -v n="$2" 'BEGIN { print "class C0 { class K0 { } }"
    for (i = 1; i < n; i++) { printf "class C%d extends C%d {", i, i - 1
      for (j = 0; j < 4; j++) printf " int c%d_%d;", i, j; printf " class K%d { } K%d u; }\n", i, i - 1 }
    for (k = 1; k < n; k++) { printf "class D%d extends C%d {", k, k
      for (j = 0; j < 4; j++) printf " int d%d_%d;", k, j; printf " K%d v; Missing w; }\n", k } }' > "$1/S.java"
  echo S.java > "$1/args"
}
gen_cyclebranch() {
  awk -v n="$2" 'BEGIN { print "class T0 extends T1 { class P0 { } }\nclass T1 extends T0 { class P1 { } }"
    for (i = 2; i < n + 2; i++)
      printf "interface U%d extends T%d { }\nclass T%d extends T%d implements U%d { class P%d { } P%d u; }\n", i, i - 1, i, i - 1, i, i, i - 1 }' > "$1/E.java"
  echo E.java > "$1/args"
}
gen_cyclechain() {
  awk -v n="$2" 'BEGIN { print "class T0 extends T1 { class P0 { } }\nclass T1 extends T0 { class P1 { } }"
    for (i = 2; i < n + 2; i++) printf "class T%d extends T%d { class P%d { } P%d u; Missing w; }\n", i, i - 1, i, i - 1 }' > "$1/R.java"
  echo R.java > "$1/args"
}
gen_cycleface() {
  awk -v n="$2" 'BEGIN { print "interface I0 extends I1 { int c0 = 0; interface J0 { } }\ninterface I1 extends I0 { int c1 = 1; }"
    for (i = 2; i < n + 2; i++) printf "interface I%d extends I%d, I%d { int c%d = c%d + c0; J0 j%d = null; }\n", i, i - 1, i - 2, i, i - 1, i }' > "$1/I.java"
  echo I.java > "$1/args"
}
gen_cyclemember() {
  awk -v n="$2" 'BEGIN { print "class T0 extends T1.P1 { class P0 extends T1 { } int f0; }\nclass T1 extends T0.P0 { class P1 extends T0 { } int f1; }"
    for (i = 2; i < n + 2; i++)
      printf "class T%d extends T%d.P%d { class P%d extends T%d { int g = f%d; } P%d u; int f%d = f0 + f1; }\n", i, i - 1, i - 1, i, i - 1, i - 1, i - 1, i }' > "$1/M.java"
  echo M.java > "$1/args"
}
gen_cyclefield() {
  awk -v n="$2" 'BEGIN { print "class T0 extends T1 { class P0 { int q; } P0 p0; }\nclass T1 extends T0 { int f1; }"
    for (i = 2; i < n + 2; i++) printf "class T%d extends T%d { Object o = p0.q; int f%d = f1; Missing w; }\n", i, i - 1, i }' > "$1/F.java"
  echo F.java > "$1/args"
}
gen_cycle() {
  awk -v n="$2" 'BEGIN { for (i = 0; i < n; i++)
    printf "class T%d extends T%d { class P%d { } P%d u; Missing w; }\n", i, (i + 1) % n, i, (i + 1) % n }' > "$1/C.java"
  echo C.java > "$1/args"
}
gen_memberuse() {
  awk -v n="$2" 'BEGIN { print "class T0 { int f0; }"
    for (i = 1; i < n; i++) printf "class T%d extends T%d { class In%d extends T%d { int g = f0; } Object o = new T%d() { int h = f0; }; }\n",
      i, i - 1, i, i - 1, i - 1 }' > "$1/T.java"
  echo T.java > "$1/args"
}
gen_facechain() {
  awk -v n="$2" 'BEGIN { print "interface I0 { class J0 { } }"
    for (i = 1; i < n; i++) print "interface I" i " extends I" (i - 1) " { class J" i " extends J" (i - 1) " { } }"
    print "class C implements I" (n - 1) " { }" }' > "$1/F.java"
  echo F.java > "$1/args"
}
gen_faceback() {
  awk -v n="$2" 'BEGIN { print "class C implements I" (n - 1) " { }"
    for (i = n - 1; i > 0; i--) print "interface I" i " extends I" (i - 1) " { class J" i " extends J" (i - 1) " { } }"
    print "interface I0 { class J0 { } }" }' > "$1/F.java"
  echo F.java > "$1/args"
}
gen_classface() {
  awk -v n="$2" 'BEGIN { print "class T0 { interface J0 { } }"
    for (i = 1; i < n; i++) print "class T" i " extends T" (i - 1) " { interface J" i " extends J" (i - 1) " { } }"
    print "interface X extends T" (n - 1) ".J" (n - 1) " { }" }' > "$1/F.java"
  echo F.java > "$1/args"
}
gen_memberfield() {
  awk -v n="$2" 'BEGIN { print "class T0 { class K { } K k; }"
    for (i = 1; i < n; i++) print "class T" i " extends T" (i - 1) " { class K { } K k; }" }' > "$1/T.java"
  echo T.java > "$1/args"
}
gen_memberfback() {
  awk -v n="$2" 'BEGIN { for (i = n - 1; i > 0; i--) print "class T" i " extends T" (i - 1) " { class K { } K k; }"
    print "class T0 { class K { } K k; }" }' > "$1/T.java"
  echo T.java > "$1/args"
}
# memberfield with every class implementing interface I of $3 constants.
member_interface_chain() {
  awk -v n="$2" -v constants="$3" 'BEGIN { printf "interface I {"
    for (j = 0; j < constants; j++) printf " int c%d = %d;", j, j
    print " }"
    print "class T0 implements I { class K { } K k; }"
    for (i = 1; i < n; i++) print "class T" i " extends T" (i - 1) " implements I { class K { } K k; }" }' > "$1/T.java"
  echo T.java > "$1/args"
}
gen_memberfface() { member_interface_chain "$1" "$2" 1; }
gen_memberflong() { member_interface_chain "$1" "$2" 100; }
gen_nestdeep() {
  awk -v n="$2" 'BEGIN { print "class C0 { class M0 { } int f0; }"
    for (i = 1; i < n; i++) print "class C" i " extends C" (i - 1) " { class M" i " extends M" (i - 1) " { } }"
    printf "class O {"
    for (i = 0; i < n; i++) printf "\nclass L%d extends C%d { M%d m%d; int g%d = f0;", i, i, i, i, i
    for (i = 0; i < n; i++) printf " }"
    print " }" }' > "$1/N.java"
  echo N.java > "$1/args"
}

# One run: PROGRAM DIR OUT; the figures "SECONDS PEAK_MB" go to OUT/figures,
# or "- -" when a run of BEFORE was stopped after LIMIT seconds.
run_once() {
  local program=$1 dir=$2 out=$3 status=0
  mkdir -p "$out"
  local args=()
  mapfile -t args < "$dir/args"
  local stop=()
  [ "$program" != "$before" ] || stop=(timeout "$limit")
  (cd "$dir" && /usr/bin/time -f '%e %M' -o "$out/time" "${stop[@]}" "$program" -ti "$out/ti" -tw "$out/tw" -ij "$out/ij" \
      -ic "$out/ic" -res "$out/res" "${args[@]}" > "$out/stdout" 2> "$out/stderr") || status=$?
  echo "$status" > "$out/status"
  if [ "$program" = "$before" ] && [ "$status" -eq 124 ]; then
    echo "- -" > "$out/figures"
    return
  fi
  [ "$status" -eq 0 ] || fail "$program failed (status $status) on shape $(basename "$dir"); see its standard error: $(head -c 300 "$out/stderr")"
  awk 'END { printf "%.2f %.1f\n", $1, $2 / 1024 }' "$out/time" > "$out/figures"
}

line() {  # LABEL SHAPE N FIGURES_N FIGURES_4N [VERDICT]
  read -r t1 m1 < "$4"
  read -r t4 m4 < "$5"
  awk -v label="$1" -v name="$2" -v n="$3" -v t1="$t1" -v m1="$m1" -v t4="$t4" -v m4="$m4" -v v="${6:-}" -v limit="$limit" '
  function cell(size, t, m) {
    if (t == "-") return sprintf("%7d: %9s %10s", size, "> " limit " s", "")
    return sprintf("%7d: %6.2f s %7.1f MB", size, t, m)
  }
  BEGIN {
    printf "%-6s %-11s %s  %s", label, name, cell(n, t1, m1), cell(4 * n, t4, m4)
    if (t1 == "-" || t4 == "-") printf "   %30s %s\n", "", v
    else printf "   ratios time %5.2f memory %5.2f %s\n", (t1 > 0 ? t4 / t1 : 0), (m1 > 0 ? m4 / m1 : 0), v }'
}

# The shapes with their sizes n at factor 1.
shapes="chain:12500 packages:12500 unit:2000 fields:6250 dotted:12500 nested:1000 samename:2000 samemethod:2000 dupclass:2000
  qualified:1500 subclass:5000 extends:800 nestedtype:1000 dupscopes:2000 bigsuper:4000 subchain:1000 manysubs:4000
  varsoftype:4000 interfaces:1000 thissuper:4000 ondemand:2000 packages-k:500 imports:5000 closure:1000 longnames:5000 flat:10000
  memberext:1000 memberface:1000 memberdeep:1000 inherited:1000 facemember:1000 memberuse:1000 memberrev:8000 splitup:500
  cyclebranch:400 cyclechain:400 cycleface:400 cyclemember:400 cyclefield:400 cycle:200
  facechain:2000 faceback:2000 classface:2000 memberfield:4000 nestdeep:2000
  memberfback:4000 memberfface:1000 memberflong:1000"
if [ -n "${SHAPES:-}" ]; then
  wanted=""
  for entry in $shapes; do
    case " $SHAPES " in *" ${entry%%:*} "*) wanted="$wanted $entry" ;; esac
  done
  shapes=$wanted
fi

for entry in $shapes; do
  shape=${entry%%:*}
  n=$(awk -v s="${entry#*:}" -v f="$factor" 'BEGIN { v = int(s * f); print (v < 1 ? 1 : v) }')
  verdict=""
  for size in "$n" $((4 * n)); do
    dir=$work/$shape-$size
    mkdir -p "$dir"
    "gen_${shape//-/_}" "$dir" "$size"
    run_once "$caldrex" "$dir" "$work/after-$shape-$size"
    if [ -n "$before" ]; then
      # After a stopped run of BEFORE, its run of the larger size is not made.
      if [ "$size" != "$n" ] && [ "$(cat "$work/before-$shape-$n/figures")" = "- -" ]; then
        mkdir -p "$work/before-$shape-$size"
        echo "- -" > "$work/before-$shape-$size/figures"
        rm -rf "$dir"
        continue
      fi
      run_once "$before" "$dir" "$work/before-$shape-$size"
      rm -f "$work"/{before,after}-"$shape-$size"/time
      if [ "$(cat "$work/before-$shape-$size/figures")" = "- -" ]; then
        :
      elif diff -r -x figures "$work/before-$shape-$size" "$work/after-$shape-$size" > /dev/null; then
        verdict=${verdict:-same}
      else
        verdict=DIFFERENT
      fi
    fi
    rm -rf "$dir"
  done
  if [ -n "$before" ] && [ "$(cat "$work/before-$shape-$((4 * n))/figures")" = "- -" ]; then
    if [ "$(cat "$work/before-$shape-$n/figures")" = "- -" ]; then verdict="not compared"; else verdict="$verdict at $n"; fi
  fi
  if [ -n "$before" ]; then
    line before "$shape" "$n" "$work/before-$shape-$n/figures" "$work/before-$shape-$((4 * n))/figures"
  fi
  line after "$shape" "$n" "$work/after-$shape-$n/figures" "$work/after-$shape-$((4 * n))/figures" "$verdict"
  rm -rf "$work"/{before,after}-"$shape"-*
done
