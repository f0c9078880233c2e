#!/bin/sh
# The core is plain C++: its sources and their headers include only the C++ standard
# library and the project's own headers, never Qt or an operating system's headers, so
# that it builds unchanged for every system.
# usage: core_includes_test.sh SOURCE...
set -u
standard=" algorithm any array atomic barrier bit bitset cassert cctype cerrno cfenv cfloat
charconv chrono cinttypes climits clocale cmath compare complex concepts condition_variable
coroutine csetjmp csignal cstdarg cstddef cstdint cstdio cstdlib cstring ctime cuchar cwchar
cwctype deque exception execution filesystem format forward_list fstream functional future
initializer_list iomanip ios iosfwd iostream istream iterator latch limits list locale map
memory memory_resource mutex new numbers numeric optional ostream queue random ranges ratio
regex scoped_allocator semaphore set shared_mutex source_location span sstream stack
stdexcept stop_token streambuf string string_view syncstream system_error thread tuple
type_traits typeindex typeinfo unordered_map unordered_set utility valarray variant vector
version "
status=0
for source in "$@"; do
    for file in "$source" "${source%.cpp}.h"; do
        [ -f "$file" ] || continue
        for header in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<\([^>]*\)>.*/\1/p' "$file"); do
            case "$standard" in
                *[[:space:]]"$header"[[:space:]]*) ;;
                *) echo "$file includes <$header>, which is not the C++ standard library"; status=1 ;;
            esac
        done
    done
done
[ $status -eq 0 ] && echo "$# core sources include only the C++ standard library"
exit $status
