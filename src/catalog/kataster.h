#pragma once

#include <QtGlobal>

// The cadastre a record, a file or an elaborat belongs to. Files of a kind carry the prefix
// "zk" or "ks"; nothing inside them states the kind.
enum class Kataster : quint8
{
    ZK = 0, // land cadastre, "zk.xml", "zk_sifrant.xml"
    KS = 1, // building cadastre, "ks.xml", "ks_sifrant.xml"
};
