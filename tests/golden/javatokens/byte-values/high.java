ifÀ été x
aÿb /* ÿ */ c
ÿz 'ÿ' "ÿ"
end
