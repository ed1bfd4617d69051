class G { A a; }
