# Sourced by test.sh, sample.sh and bench-viewer.sh: Wine runs with the address space laid out
# the same way every time (no randomisation), for itself and for every process it starts.
#
# Why: Debian's wine64 comes without the preloader that reserves Wine's fixed addresses before
# anything else can take them. Its loader sits at 0x7d000000, and the kernel starts the loader's
# heap behind it at a random distance of up to 1 GiB. About one start in several thousand, the
# heap's first 132 KiB cover 0x7ffe0000, where Wine maps the page it shares with its server; the
# process then ends with status 1 before any code of the program runs ("failed to map the shared
# user data", printed only when WINEDEBUG lets errors through). A test run starts a few thousand
# Wine processes. Without randomisation the heap always begins right behind the loader. The
# setting is inherited by every process started from here, Windows programs included.
wine() { setarch "$(uname -m)" -R wine "$@"; }
wineboot() { setarch "$(uname -m)" -R wineboot "$@"; }
