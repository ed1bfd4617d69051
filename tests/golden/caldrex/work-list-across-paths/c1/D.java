class D { G g; }
