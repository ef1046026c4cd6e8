# Sourced by test.sh before the first Wine call: a running CUPS scheduler with the PDF printer
# of cups-pdf as its default. Wine reads the printer list when its server starts, so a printer
# added later stays invisible to it. Idempotent: an already running scheduler and an existing
# printer are kept. Exports TAMSI_PDF_DIR, the folder cups-pdf writes this user's jobs to.
tamsi_start_printer() {
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    if ! lpstat -r 2>/dev/null | grep -q "scheduler is running"; then
        # No systemd needed: cupsd forks into the background on its own.
        $sudo cupsd || echo "cupsd did not start: the printing tests will fail" >&2
        for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q "scheduler is running" && break; sleep 0.1; done
    fi
    if ! lpstat -p PDF >/dev/null 2>&1; then
        $sudo lpadmin -p PDF -v cups-pdf:/ -E -P /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd ||
            echo "The PDF printer could not be added: the printing tests will fail" >&2
    fi
    if ! lpstat -d 2>/dev/null | grep -q ": PDF$"; then
        $sudo lpadmin -d PDF || true
    fi
    # cups-pdf writes to PDF in the job owner's home as passwd gives it, whatever $HOME says.
    TAMSI_PDF_DIR="$(getent passwd "$(id -un)" | cut -d: -f6)/PDF"
    export TAMSI_PDF_DIR
}

tamsi_start_printer
