#!/usr/bin/python3
"""A mail server for the tests, on 127.0.0.1 and a free port.

Prints "PORT <n>" once it listens, then one JSON line per message it took: envelope sender, recipients,
whether the session was encrypted, the login used, and the message bytes (base64). Options:
  --tls CERT KEY   offer STARTTLS with this certificate
  --login USER:PASSWORD   take only this login, and insist on one before mail
  --refuse         refuse every recipient with a 550
"""
import argparse
import asyncio
import base64
import json
import ssl
import sys
import warnings


def emit(record):
    sys.stdout.write(json.dumps(record) + "\n")
    sys.stdout.flush()


class Handler:
    def __init__(self, refuse):
        self.refuse = refuse

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if self.refuse:
            return "550 5.1.1 Mailbox unavailable"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        login = session.auth_data if session.authenticated else None
        emit({
            "from": envelope.mail_from,
            "to": envelope.rcpt_tos,
            "tls": session.ssl is not None,
            "login": login,
            "data": base64.b64encode(envelope.original_content).decode(),
        })
        return "250 2.0.0 Accepted"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tls", nargs=2)
    parser.add_argument("--login")
    parser.add_argument("--refuse", action="store_true")
    args = parser.parse_args()

    warnings.simplefilter("ignore")
    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)

    from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword

    tls = None
    if args.tls:
        tls = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        tls.load_cert_chain(args.tls[0], args.tls[1])

    def authenticator(server, session, envelope, mechanism, auth_data):
        if not args.login or not isinstance(auth_data, LoginPassword):
            return AuthResult(success=False, handled=False)
        user, _, password = args.login.partition(":")
        ok = auth_data.login.decode() == user and auth_data.password.decode() == password
        return AuthResult(success=ok, handled=False, auth_data=user if ok else None)

    handler = Handler(args.refuse)

    def factory():
        return SMTP(handler, hostname="kelvara-test", tls_context=tls, require_starttls=False,
                    authenticator=authenticator, auth_required=bool(args.login), auth_require_tls=False)

    server = loop.run_until_complete(loop.create_server(factory, "127.0.0.1", 0))
    print("PORT %d" % server.sockets[0].getsockname()[1], flush=True)
    loop.run_forever()


if __name__ == "__main__":
    main()
