'''Stands in for obexd on a computer without working Bluetooth: started by the bus for a call to
org.bluez.obex, it takes the name and exits without answering, so the caller gets NoReply.'''
import dbus

dbus.StarterBus().request_name('org.bluez.obex')
