class G {
  int s = a - b - c;
  int t = a = b = c;
  int u = a ? b : c ? d : e;
  int m = 1 + 2 * 3;
}
