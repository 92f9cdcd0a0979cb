# Writes WEB/sw.js from VORLAGE: the list of every file in WEB (and "./" for the start page) and a
# version made of their contents, so that a new build replaces the cache and an unchanged one
# keeps it.
file(GLOB_RECURSE dateien RELATIVE ${WEB} ${WEB}/*)
list(REMOVE_ITEM dateien sw.js)
list(SORT dateien)
set(summen "")
set(liste "'./'")
foreach(d ${dateien})
    file(SHA256 ${WEB}/${d} s)
    string(APPEND summen "${d}${s}")
    string(APPEND liste ", './${d}'")
endforeach()
string(SHA256 version "${summen}")
string(SUBSTRING ${version} 0 16 version)
file(READ ${VORLAGE} text)
string(REPLACE "'@VERSION@'" "'regler-${version}'" text "${text}")
string(REPLACE "['@DATEIEN@']" "[${liste}]" text "${text}")
file(WRITE ${WEB}/sw.js "${text}")
