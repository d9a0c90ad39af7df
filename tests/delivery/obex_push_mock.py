'''A mock of obexd's client for Object Push, loaded by path into python3-dbusmock.

org.bluez.obex on the session bus: Client1 at /org/bluez/obex, an ObjectManager at /, a
Session1 object with ObjectPush1 per session, and a Transfer1 object per pushed file, driven by
timer ticks as obexd reports a transfer: InterfacesAdded (queued), PropertiesChanged with
Status and Transferred, then "complete" or "error" and InterfacesRemoved at once.

Parameters:
  outcome   "complete" (active, then complete), "quick" (queued straight to complete),
            "refuse" (the phone says no: error), "hold" (active until cancelled),
            "deaf" (active, and a cancel is never answered),
            "unreachable" (CreateSession fails)
  received  a file to which each completed push appends "NAME SIZE DESTINATION\n"
'''

import os

import dbus
from gi.repository import GLib

from dbusmock import OBJECT_MANAGER_IFACE, mockobject

BUS_NAME = 'org.bluez.obex'
MAIN_OBJ = '/'
SYSTEM_BUS = False
IS_OBJECT_MANAGER = True

CLIENT_IFACE = 'org.bluez.obex.Client1'
SESSION_IFACE = 'org.bluez.obex.Session1'
PUSH_IFACE = 'org.bluez.obex.ObjectPush1'
TRANSFER_IFACE = 'org.bluez.obex.Transfer1'

settings = {}
counter = [0]


def load(mock, parameters):
    settings['outcome'] = str(parameters.get('outcome', 'complete'))
    settings['received'] = str(parameters.get('received', ''))
    mock.AddObject('/org/bluez/obex', CLIENT_IFACE, {}, [])
    client = mockobject.objects['/org/bluez/obex']
    client.AddMethods(CLIENT_IFACE, [
        ('CreateSession', 'sa{sv}', 'o', CreateSession),
        ('RemoveSession', 'o', '', RemoveSession),
    ])


def root():
    return mockobject.objects['/']


def CreateSession(self, destination, args):
    if 'Target' not in args:
        raise dbus.exceptions.DBusException('Invalid arguments',
                                            name='org.bluez.obex.Error.InvalidArguments')
    if str(args['Target']).lower() != 'opp' or settings['outcome'] == 'unreachable':
        raise dbus.exceptions.DBusException('Host is down', name='org.bluez.obex.Error.Failed')
    counter[0] += 1
    path = '/org/bluez/obex/client/session%d' % counter[0]
    root().AddObject(path, SESSION_IFACE,
                     {'Destination': dbus.String(destination), 'Target': dbus.String('opp')}, [])
    session = mockobject.objects[path]
    session.AddMethods(PUSH_IFACE, [('SendFile', 's', 'oa{sv}', SendFile)])
    return dbus.ObjectPath(path)


def RemoveSession(self, path):
    if path not in mockobject.objects:
        raise dbus.exceptions.DBusException('Invalid path',
                                            name='org.bluez.obex.Error.InvalidArguments')
    root().RemoveObject(path)


def SendFile(self, filename):
    if not os.path.isabs(filename) or not os.access(filename, os.R_OK):
        raise dbus.exceptions.DBusException('Unable to open file',
                                            name='org.bluez.obex.Error.Failed')
    size = os.path.getsize(filename)
    path = self.path + '/transfer0'
    props = {
        'Status': dbus.String('queued'),
        'Name': dbus.String(os.path.basename(filename)),
        'Size': dbus.UInt64(size),
        'Filename': dbus.String(filename),
        'Transferred': dbus.UInt64(0),
        'Session': dbus.ObjectPath(self.path),
    }
    root().AddObject(path, TRANSFER_IFACE, props, [])
    transfer = mockobject.objects[path]
    transfer.AddMethods(TRANSFER_IFACE, [('Cancel', '', '', Cancel)])
    root().EmitSignal(OBJECT_MANAGER_IFACE, 'InterfacesAdded', 'oa{sa{sv}}',
                      [dbus.ObjectPath(path), {TRANSFER_IFACE: props}])
    destination = mockobject.objects[self.path].props[SESSION_IFACE]['Destination']
    # 'hold' stays active, a quarter more each tick, until the transfer is cancelled.
    steps = {
        'complete': ['active', 'complete'],
        'quick': ['complete'],
        'refuse': ['error'],
        'hold': ['active'],
        'deaf': ['active'],
    }[settings['outcome']]

    def tick():
        if path not in mockobject.objects:
            return False
        status = steps.pop(0) if len(steps) > 1 else steps[0]
        update = {'Status': dbus.String(status)}
        if status == 'active':
            done = transfer.props[TRANSFER_IFACE]['Transferred']
            update['Transferred'] = dbus.UInt64(min(size, done + max(1, size // 4)))
        # Logged before the phone's "complete" goes out: the test may stop the mock at once.
        if status == 'complete' and settings['received']:
            with open(settings['received'], 'a', encoding='utf-8') as log:
                log.write('%s %d %s\n' % (os.path.basename(filename), size, destination))
        transfer.UpdateProperties(TRANSFER_IFACE, update)
        if status in ('complete', 'error'):
            finish(path)
            return False
        return True

    GLib.timeout_add(50, tick)
    return (dbus.ObjectPath(path), props)


def finish(path):
    root().EmitSignal(OBJECT_MANAGER_IFACE, 'InterfacesRemoved', 'oas',
                      [dbus.ObjectPath(path), [TRANSFER_IFACE]])
    root().RemoveObject(path)


def Cancel(self):
    if settings['outcome'] == 'deaf':
        return
    self.UpdateProperties(TRANSFER_IFACE, {'Status': dbus.String('error')})
    finish(self.path)
