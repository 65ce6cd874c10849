#!/usr/bin/env bash
# Signs the built updater the way a release does, with a throw-away self-signed certificate, then
# checks that the signature verifies, that the unsigned file is untouched and that the signed one
# carries the same payload bytes and passes the executable check. The signed file stays in the
# folder for the end-to-end test that runs it.
#   sign_and_verify.sh <source> <updater.exe> <payload> <folder> <executable check command...>
set -euo pipefail
source=$1 updater=$2 payload=$3 folder=$4
shift 4
rm -rf "$folder"
mkdir -p "$folder"
cd "$folder"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Zentor Calvex test signing" \
    -addext extendedKeyUsage=codeSigning -keyout key.pem -out certificate.pem 2>/dev/null
openssl pkcs12 -export -inkey key.pem -in certificate.pem -passout pass:throwaway -out release.pfx

unsigned_before=$(sha256sum <"$updater")
SIGN_PASSWORD=throwaway "$source/scripts/sign-release" --pkcs12 release.pfx \
    "$updater" ActualizareCalvex.exe
if [ "$(sha256sum <"$updater")" != "$unsigned_before" ]; then
    echo "signing changed the unsigned updater"
    exit 1
fi
osslsigncode verify -CAfile certificate.pem -in ActualizareCalvex.exe |
    grep -x "Signature verification: ok"
"$@" --resource "AF/UPGRADE/1048=$payload" ActualizareCalvex.exe
