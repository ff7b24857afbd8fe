#!/usr/bin/env bash
# pass only prints, so `check && pass ... || fail ...` reads as if-then-else.
# shellcheck disable=SC2015
# Checks the signing step of the Windows build (tools/windows-sign.sh) on a
# small Windows program built here with MinGW-w64, with a throwaway CA and
# certificates that it makes with openssl:
#   windows-signing-test.sh
#       a good certificate signs, into the program itself, and the signature
#       verifies against the CA; a missing certificate file, an expired
#       certificate and a wrong password each stop the signing with a
#       message naming the problem before anything is signed; a CA that did
#       not issue the certificate and an unreachable timestamp server stop
#       it after osslsigncode; after every failure the program is as it was,
#       and nothing of the signing is left beside it; without a certificate
#       it says that the build is unsigned
#   windows-signing-test.sh certificates DIR
#       only makes DIR/ca.pem (the CA), DIR/formular.p12 (a code-signing
#       certificate that the CA issued, with its key) and DIR/password, for a
#       signed Windows build (.ci/run)
# Prints every check and exits non-zero if any of them failed.
set -euo pipefail
tools="$(cd "$(dirname "$0")" && pwd)"
sign="$tools/windows-sign.sh"
"$tools/setup.sh" openssl osslsigncode gcc-mingw-w64-x86-64-posix

# A CA, and from it a code-signing certificate valid for a week and one that
# expired in 2021, both for the same key, each in a PKCS#12 file with the
# same password.
make_certificates() {
    local dir="$1"
    mkdir -p "$dir/ca"
    (
        cd "$dir/ca"
        : >index
        echo 01 >serial
        cat >ca.cnf <<'EOF'
[ca]
default_ca = throwaway
[throwaway]
database = index
new_certs_dir = .
serial = serial
default_md = sha256
policy = any
x509_extensions = code_signing
unique_subject = no
[any]
commonName = supplied
[code_signing]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning
EOF
        openssl rand -hex 12 >../password
        openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ../ca.pem -days 7 \
            -subj "/CN=Formular throwaway CA" \
            -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign
        openssl req -newkey rsa:2048 -nodes -keyout formular.key -out formular.csr \
            -subj "/CN=Vireo Loggers throwaway code signing"
        openssl ca -batch -config ca.cnf -cert ../ca.pem -keyfile ca.key -in formular.csr \
            -out formular.pem -days 7 -notext
        openssl ca -batch -config ca.cnf -cert ../ca.pem -keyfile ca.key -in formular.csr \
            -out expired.pem -startdate 20200101000000Z -enddate 20210101000000Z -notext
        for name in formular expired; do
            openssl pkcs12 -export -in "$name.pem" -inkey formular.key -certfile ../ca.pem \
                -name "$name" -passout file:../password -out "../$name.p12"
        done
        # Another CA, which issued none of them.
        openssl req -x509 -newkey rsa:2048 -nodes -keyout other.key -out ../other-ca.pem -days 7 \
            -subj "/CN=Formular other CA"
    ) >"$dir/openssl.log" 2>&1 || {
        cat "$dir/openssl.log" >&2
        echo "Could not make the certificates" >&2
        return 1
    }
    rm -rf "$dir/ca"
}

if [ "${1:-}" = certificates ]; then
    [ $# -eq 2 ] || {
        echo "usage: windows-signing-test.sh certificates DIR" >&2
        exit 2
    }
    make_certificates "$2"
    exit 0
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
pass() { echo "PASS: $*"; }
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

make_certificates "$work/certificates"
certificates="$work/certificates"
password="$(cat "$certificates/password")"
mkdir "$work/program"
program="$work/program/formular.exe"
printf 'int main(void) { return 0; }\n' | x86_64-w64-mingw32-gcc -x c -s -o "$work/unsigned.exe" -
cp "$work/unsigned.exe" "$program"

# The signing step with only the variables given ($1...: NAME=VALUE), on
# the program; its messages in $work/out.txt.
signing() {
    local assignments=()
    while [ $# -gt 0 ] && [[ "$1" == *=* ]]; do
        assignments+=("$1")
        shift
    done
    env -u FORMULAR_SIGN_PKCS12 -u FORMULAR_SIGN_PASSWORD -u FORMULAR_SIGN_CAFILE \
        -u FORMULAR_SIGN_TIMESTAMP_URL "${assignments[@]}" "$sign" "$@" >"$work/out.txt" 2>&1
}
messages() { tr '\n' ' ' <"$work/out.txt"; }
# The program as it was, and no file of the signing beside it.
untouched() {
    cmp -s "$work/unsigned.exe" "$program" && [ "$(ls -A "$work/program")" = formular.exe ]
}

signing check && grep -q 'stay unsigned' "$work/out.txt" &&
    pass "no certificate: $(messages)" || fail "no certificate: $(messages)"

good=(FORMULAR_SIGN_PKCS12="$certificates/formular.p12" FORMULAR_SIGN_PASSWORD="$password"
    FORMULAR_SIGN_CAFILE="$certificates/ca.pem")

# Each bad case: its name, what it changes, what the message says, and
# whether the certificate check alone already finds it.
bad_cases=(
    "missing certificate file|FORMULAR_SIGN_PKCS12=$certificates/absent.p12|the code-signing certificate $certificates/absent.p12 (FORMULAR_SIGN_PKCS12) does not exist|check"
    "expired certificate|FORMULAR_SIGN_PKCS12=$certificates/expired.p12|the code-signing certificate in $certificates/expired.p12 (CN = Vireo Loggers throwaway code signing) expired on Jan  1 00:00:00 2021 GMT|check"
    "wrong password|FORMULAR_SIGN_PASSWORD=not-$password|wrong password for the code-signing certificate $certificates/formular.p12|check"
    "certificate from another CA|FORMULAR_SIGN_CAFILE=$certificates/other-ca.pem|the signature on $program does not verify against $certificates/other-ca.pem|sign"
    "unreachable timestamp server|FORMULAR_SIGN_TIMESTAMP_URL=http://127.0.0.1:9/|osslsigncode could not sign $program|sign"
)
for case in "${bad_cases[@]}"; do
    IFS='|' read -r name change message stage <<<"$case"
    if [ "$stage" = check ]; then
        if signing "${good[@]}" "$change" check; then
            fail "$name: the certificate check passed: $(messages)"
        else
            grep -qF "Signing: $message" "$work/out.txt" &&
                pass "$name, found by the check: $(messages)" || fail "$name, check: $(messages)"
        fi
    fi
    if signing "${good[@]}" "$change" "$program"; then
        fail "$name: signed: $(messages)"
    elif ! grep -qF "Signing: $message" "$work/out.txt"; then
        fail "$name: $(messages)"
    elif grep -q '^Signed ' "$work/out.txt"; then
        fail "$name: signed before it failed: $(messages)"
    else
        pass "$name: $(messages)"
    fi
    untouched && pass "$name: the program is as it was" || fail "$name: the program changed or files were left: $(ls -A "$work/program")"
    cp "$work/unsigned.exe" "$program"
done

if signing "${good[@]}" "$program"; then
    pass "signed: $(messages)"
else
    fail "good certificate: $(messages)"
fi
[ "$(ls -A "$work/program")" = formular.exe ] && [ -x "$program" ] &&
    pass "signed in place, still executable" || fail "after signing: $(ls -lA "$work/program")"
if osslsigncode verify -CAfile "$certificates/ca.pem" -in "$program" >"$work/verify.txt" 2>&1 &&
    grep -qx 'Signature verification: ok' "$work/verify.txt" &&
    grep -q 'Subject: /CN=Vireo Loggers throwaway code signing' "$work/verify.txt"; then
    pass "osslsigncode verify -CAfile ca.pem: $(grep -E 'Subject:|Issuer :|^Signature verification|^Number of verified' "$work/verify.txt" |
        sed 's/^[[:space:]]*//' | sort -u | tr '\n' ' ')"
else
    fail "osslsigncode verify: $(tr '\n' ' ' <"$work/verify.txt")"
fi

echo "Signing: $failures checks failed"
[ "$failures" -eq 0 ]
