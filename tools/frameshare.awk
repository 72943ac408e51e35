# Reads a callgrind profile and prints how many instructions ran in all and how many were the
# program's own: its own functions, and what they called in the C and C++ runtime libraries.
# Everything else (GL, GLU, GLUT, X, the Mesa driver and the code it compiles at run time) is the
# libraries' share. Usage: awk -v program=PATH -f tools/frameshare.awk callgrind.out
# A name may be given as "(id) name" once and as "(id)" after that; ob= and cob= share one table of
# ids, fn= and cfn= another.
function named(table, given,    id) {
    if (given !~ /^\(/) return given
    id = table substr(given, 1, index(given, ")"))
    if (length(given) > index(given, ")")) names[id] = substr(given, index(given, ")") + 2)
    return names[id]
}
function runtime(object) {
    return object ~ /\/(libc|libm|libstdc\+\+|libgcc_s)\.so/
}
/^ob=/ { object = named("ob", substr($0, 4)); next }
/^fn=/ { named("fn", substr($0, 4)); mine = (object == program); afterCall = 0; next }
# The object of the next call's target, when it is not the caller's, and the target itself. The
# process entry's call into the C library holds the whole run, and is nobody's own.
/^cob=/ { callee = named("ob", substr($0, 5)); next }
/^cfn=/ { entry = named("fn", substr($0, 5)) ~ /^__libc_start/; next }
/^calls=/ { afterCall = 1; next }
/^[0-9+*-]/ {
    cost = $NF
    if (afterCall) {
        # The inclusive cost of one call: the program's own when it called into the runtime.
        if (mine && !entry && runtime(callee == "" ? object : callee)) ownCalls += cost
        afterCall = 0
        callee = ""
        next
    }
    total += cost
    if (mine) ownSelf += cost
}
END {
    own = ownSelf + ownCalls
    share = total > 0 ? 100 * own / total : 0
    printf "instructions %.0f own %.0f own_code %.0f runtime_called %.0f share_percent %.3f\n", total, own, ownSelf,
           ownCalls, share
}
