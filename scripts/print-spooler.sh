#!/usr/bin/env bash
# Gives the tests a printer: the system's print spooler (CUPS) started when it is not running,
# and a PDF printer "Brisvane_Test_PDF" (cups-pdf) that writes each job as a PDF file into
# OUT_DIR. Wine finds the spooler's printers through libcups.
#
#   scripts/print-spooler.sh OUT_DIR
#
# Needs root (the spooler's configuration lives in /etc/cups) and the packages that
# scripts/setup.sh installs (cups, printer-driver-cups-pdf, poppler-utils).
set -euo pipefail
out=${1:?usage: print-spooler.sh OUT_DIR}
queue=Brisvane_Test_PDF
instance=brisvane-test
if [ "$(id -u)" != 0 ]; then
  echo "print-spooler: the printing test needs root to configure the system's spooler" >&2
  exit 1
fi
for tool in cupsd lpadmin lpstat; do
  command -v "$tool" > /dev/null || { echo "print-spooler: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done
[ -x /usr/lib/cups/backend/cups-pdf ] || { echo "print-spooler: cups-pdf is missing" >&2; exit 1; }
mkdir -p "$out"
chmod 0777 "$out"
# The PDF printer's own settings: its files go to OUT_DIR, named after the job.
cat > /etc/cups/cups-pdf-$instance.conf <<CONF
Out $out
AnonDirName $out
UserUMask 0000
Label 0
CONF
# lpstat -r exits 0 whether or not the scheduler runs: its words tell.
running() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }
if ! running; then
  mkdir -p /run/cups
  cupsd || { echo "print-spooler: cupsd could not be started" >&2; exit 1; }
  for _ in $(seq 100); do running && break; sleep 0.1; done
fi
running || { echo "print-spooler: the spooler did not start (lpstat -r: $(lpstat -r 2>&1))" >&2; exit 1; }
ppd=""
for candidate in /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd /usr/share/ppd/cups-pdf/CUPS-PDF*.ppd; do
  if [ -f "$candidate" ]; then ppd=$candidate; break; fi
done
[ -n "$ppd" ] || { echo "print-spooler: no PPD of cups-pdf under /usr/share/ppd/cups-pdf" >&2; exit 1; }
# lpadmin warns that printer drivers are deprecated; only a failure's words are shown.
if ! said=$(lpadmin -p "$queue" -E -v "cups-pdf:/$instance" -P "$ppd" 2>&1); then
  echo "print-spooler: lpadmin could not add $queue: $said" >&2
  exit 1
fi
lpadmin -d "$queue"
lpstat -p "$queue"
