#!/usr/bin/env bash
# Makes the tests' own certificates in the folder $1:
#   ca.pem / ca-key.pem            a test certificate authority
#   server.pem / server-key.pem    127.0.0.1 and localhost, signed by the test CA
#   other-host.pem / other-host-key.pem   signed by the test CA for a name that is not 127.0.0.1
#   self-signed.pem / self-signed-key.pem  127.0.0.1, signed by nobody the client trusts
#   expired.pem / expired-key.pem          127.0.0.1, signed by the test CA, valid only in 2020
#   wrong-usage.pem / wrong-usage-key.pem  127.0.0.1, signed by the test CA for client use only
set -euo pipefail
out=$1
mkdir -p "$out"
cd "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=vision-desk test CA" \
  -keyout ca-key.pem -out ca.pem -addext "basicConstraints=critical,CA:TRUE" \
  -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null

request() {  # name, subject, subjectAltName, extended key usage
  openssl req -newkey rsa:2048 -nodes -subj "$2" -keyout "$1-key.pem" -out "$tmp/$1.csr" 2>/dev/null
  printf 'subjectAltName=%s\nbasicConstraints=CA:FALSE\nextendedKeyUsage=%s\n' "$3" "$4" > "$tmp/$1.ext"
}
sign() {  # name, subject, subjectAltName, extended key usage (serverAuth when omitted)
  request "$1" "$2" "$3" "${4:-serverAuth}"
  openssl x509 -req -in "$tmp/$1.csr" -CA ca.pem -CAkey ca-key.pem -CAcreateserial -days 3650 \
    -extfile "$tmp/$1.ext" -out "$1.pem" 2>/dev/null
}
sign server "/CN=127.0.0.1" "IP:127.0.0.1,DNS:localhost"
sign other-host "/CN=other.invalid" "DNS:other.invalid"
sign wrong-usage "/CN=127.0.0.1" "IP:127.0.0.1,DNS:localhost" clientAuth

# openssl x509 cannot date a certificate in the past; openssl ca can.
request expired "/CN=127.0.0.1" "IP:127.0.0.1,DNS:localhost" serverAuth
printf '[ca]\ndefault_ca = test_ca\n[test_ca]\ndatabase = %s/index.txt\nnew_certs_dir = %s\nserial = %s/serial\n' \
  "$tmp" "$tmp" "$tmp" > "$tmp/ca.cnf"
printf 'default_md = sha256\npolicy = any_name\n[any_name]\ncommonName = supplied\n' >> "$tmp/ca.cnf"
: > "$tmp/index.txt"
echo 1000 > "$tmp/serial"
openssl ca -batch -notext -config "$tmp/ca.cnf" -cert ca.pem -keyfile ca-key.pem -in "$tmp/expired.csr" \
  -startdate 20200101000000Z -enddate 20201231000000Z -extfile "$tmp/expired.ext" -out expired.pem 2>/dev/null

openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=127.0.0.1" \
  -addext "subjectAltName=IP:127.0.0.1,DNS:localhost" \
  -keyout self-signed-key.pem -out self-signed.pem 2>/dev/null
rm -f ca.srl
