#!/usr/bin/env bash
# Signs Windows programs and installers with Authenticode (osslsigncode),
# with the code-signing certificate named in the environment:
#   FORMULAR_SIGN_PKCS12         the certificate and its private key, a PKCS#12
#                                file (.p12, .pfx); unset or empty: no signing
#   FORMULAR_SIGN_PASSWORD       its password (unset: an empty one)
#   FORMULAR_SIGN_CAFILE         the CA certificates (PEM) that the signatures
#                                must verify against; default: the system's
#   FORMULAR_SIGN_TIMESTAMP_URL  an RFC 3161 timestamp server; default: none
#
#   windows-sign.sh check        checks the certificate: it exists, the
#                                password opens it, it holds a private key and
#                                has not expired; without one, says that the
#                                build is unsigned
#   windows-sign.sh FILE...      checks the certificate, then signs each FILE:
#                                into a file of its own, verified, then moved
#                                over FILE
# Exits non-zero with a message naming the problem; FILE is then unchanged.
set -euo pipefail

p12="${FORMULAR_SIGN_PKCS12:-}"
password="${FORMULAR_SIGN_PASSWORD:-}"
cafile="${FORMULAR_SIGN_CAFILE:-}"
timestamp="${FORMULAR_SIGN_TIMESTAMP_URL:-}"

die() {
    echo "Signing: $*" >&2
    exit 1
}

work=""
trap '[ -z "$work" ] || rm -rf "$work"' EXIT

# The first of OpenSSL's messages in $1, without its thread and code.
openssl_error() {
    sed -En '1{s/^[0-9A-F]+:error:[0-9A-F]+://;s/:[^:]*\.c:[0-9]+:.*$//;p}' "$1"
}

# The password goes on standard input, never on a command line.
pkcs12() {
    printf '%s\n' "$password" | openssl pkcs12 -in "$p12" -passin stdin "$@"
}

check_certificate() {
    [ -n "$p12" ] || die "no certificate (FORMULAR_SIGN_PKCS12 is not set)"
    [ -e "$p12" ] || die "the code-signing certificate $p12 (FORMULAR_SIGN_PKCS12) does not exist"
    if [ ! -f "$p12" ] || [ ! -r "$p12" ]; then
        die "the code-signing certificate $p12 (FORMULAR_SIGN_PKCS12) is not a readable file"
    fi
    if [ -n "$cafile" ] && [ ! -f "$cafile" ]; then
        die "the CA certificates $cafile (FORMULAR_SIGN_CAFILE) do not exist"
    fi
    local certs="$work/certificate.pem" error="$work/openssl.txt" legacy=()
    if ! pkcs12 -nokeys -clcerts -out "$certs" 2>"$error"; then
        # Files exported with RC2 or DES open only with OpenSSL's legacy
        # algorithms, which osslsigncode loads as well.
        if grep -qi unsupported "$error"; then
            legacy=(-legacy)
        fi
        if [ ${#legacy[@]} -eq 0 ] || ! pkcs12 "${legacy[@]}" -nokeys -clcerts -out "$certs" 2>"$error"; then
            if grep -qi 'invalid password' "$error"; then
                if [ -n "${FORMULAR_SIGN_PASSWORD+set}" ]; then
                    die "wrong password for the code-signing certificate $p12 (FORMULAR_SIGN_PASSWORD)"
                fi
                die "the code-signing certificate $p12 has a password: set FORMULAR_SIGN_PASSWORD"
            fi
            die "$p12 (FORMULAR_SIGN_PKCS12) is not a PKCS#12 file that OpenSSL can read: $(openssl_error "$error")"
        fi
    fi
    # grep -c reads to the end: openssl is not cut off by a closed pipe.
    pkcs12 "${legacy[@]}" -nocerts -nodes 2>/dev/null | grep -c 'PRIVATE KEY-----' >/dev/null ||
        die "the code-signing certificate $p12 holds no private key"
    grep -q 'BEGIN CERTIFICATE' "$certs" || die "$p12 holds no certificate for its private key"
    local subject until
    subject="$(openssl x509 -in "$certs" -noout -subject -nameopt oneline)"
    subject="${subject#subject=}"
    until="$(openssl x509 -in "$certs" -noout -enddate)"
    until="${until#notAfter=}"
    openssl x509 -in "$certs" -noout -checkend 0 >/dev/null ||
        die "the code-signing certificate in $p12 ($subject) expired on $until"
    echo "Signing with $p12 ($subject, valid until $until)"
}

# Signs $1 in place, or leaves it as it was.
sign() {
    local file="$1" name signed
    [ -f "$file" ] || die "$file does not exist"
    name="$(basename "$file")"
    # osslsigncode writes a new file, and never over an existing one.
    signed="$(mktemp -d "$(dirname "$file")/.$name.signing.XXXXXX")"
    local options=(-pkcs12 "$p12" -readpass - -h sha256 -n "TQ8 Order Form" -i "https://www.vireologgers.cz")
    if [ -n "$timestamp" ]; then
        options+=(-ts "$timestamp")
    fi
    if ! printf '%s\n' "$password" | osslsigncode sign "${options[@]}" -in "$file" -out "$signed/$name" >"$work/sign.txt" 2>&1; then
        rm -rf "$signed"
        die "osslsigncode could not sign $file: $(grep -Ev '^$|^[0-9A-F]+:error:' "$work/sign.txt" | tr '\n' ' ')"
    fi
    local verify=(osslsigncode verify)
    if [ -n "$cafile" ]; then
        verify+=(-CAfile "$cafile")
    fi
    if ! "${verify[@]}" -in "$signed/$name" >"$work/verify.txt" 2>&1; then
        rm -rf "$signed"
        die "the signature on $file does not verify against ${cafile:-the system CA certificates}: $(grep -E 'Verify error|Error:|^Signature verification' "$work/verify.txt" | sed -E 's/^[^V]*(Verify error)/\1/;s/^[[:space:]]+//' | sort -u | tr '\n' ' ')"
    fi
    chmod --reference="$file" "$signed/$name"
    if ! mv -f "$signed/$name" "$file"; then
        rm -rf "$signed"
        die "could not move the signed $name over $file"
    fi
    rmdir "$signed"
    echo "Signed $file: $(grep -E '^Signature verification|^Number of verified signatures' "$work/verify.txt" | tr '\n' ' ')"
}

work="$(mktemp -d)"
if [ "${1:-}" = check ]; then
    if [ -z "$p12" ]; then
        echo "No code-signing certificate (FORMULAR_SIGN_PKCS12 is not set): formular.exe and the installer stay unsigned"
        exit 0
    fi
    check_certificate
    exit 0
fi
[ $# -gt 0 ] || die "usage: windows-sign.sh check | FILE..."
check_certificate
for file in "$@"; do
    sign "$file"
done
