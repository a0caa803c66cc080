# Sourced by test.sh, sample.sh and bench-viewer.sh: makes the Wine prefix in WINEPREFIX look like
# a Japanese system as far as fonts go, under any locale.
#
# japanese_wine_fonts: the faces a Japanese Windows has (ＭＳ ゴシック, ＭＳ Ｐゴシック, MS UI Gothic,
# ＭＳ 明朝 and their English names) become substitutes for Debian's IPA faces, and the system's UI
# faces (menus, captions, message boxes) link to IPA P Gothic for the characters they lack. Done
# once a prefix (a marker file remembers it). The registry reaches the prefix's files when the
# Wine server exits (wineserver -w waits for that, when no server is kept running).
# Wine's Marlett (the symbols on the caption and scroll buttons Wine draws) is copied into the
# prefix's font folder: Wine does not look for it where Debian's fonts-wine puts it.
japanese_wine_fonts() {
  local marlett=/usr/share/wine/fonts/marlett.ttf
  if [ -f "$marlett" ] && [ -d "$WINEPREFIX/drive_c/windows/Fonts" ]; then
    cp -n "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
  fi
  local marker="$WINEPREFIX/.japanese-fonts"
  [ -f "$marker" ] && return 0
  local substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  local pair face target
  for pair in "ＭＳ ゴシック=IPAGothic" "MS Gothic=IPAGothic" "ＭＳ Ｐゴシック=IPAPGothic" "MS PGothic=IPAPGothic" \
              "MS UI Gothic=IPAPGothic" "ＭＳ 明朝=IPAMincho" "MS Mincho=IPAMincho" "ＭＳ Ｐ明朝=IPAPMincho" \
              "MS PMincho=IPAPMincho"; do
    face=${pair%%=*}
    target=${pair#*=}
    wine reg add "$substitutes" /v "$face" /d "$target" /f >/dev/null 2>&1 || return 1
  done
  for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "MS Sans Serif" "Microsoft Sans Serif" "Segoe UI"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$face" /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic' /f >/dev/null 2>&1 || return 1
  done
  touch "$marker"
}

# prepare_wine_prefix LOG: makes the prefix when there is none (wineboot's output into LOG), gives
# it the Japanese fonts, tells Wine that no window manager runs on the display, and starts one
# Wine server for the whole run, with Wine's own background programs started now, away from the
# pipes through which callers read their programs' output (those would hold them open).
# Our Xvfb displays have no window manager: Wine then places and decorates the windows itself, as
# it does beside a real desktop's; left "managed", it waits two seconds at every closed dialog
# for a window manager to answer.
prepare_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "== preparing the Wine prefix ($WINEPREFIX)"
    wineboot -i >"$1" 2>&1
  fi
  japanese_wine_fonts
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w  # the server that made the settings ends first: its registry files hold them
  wineserver -p
  wine cmd.exe /c exit >/dev/null 2>&1 </dev/null
}
