class N {}
